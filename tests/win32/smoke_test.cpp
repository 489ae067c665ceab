#include <gtest/gtest.h>
#include <windows.h>

TEST(Platform, AnsiCodePageIsShiftJis)
{
    EXPECT_EQ(GetACP(), 932u);
}
