#include <gtest/gtest.h>
#include <cstring>

TEST(Charset, NarrowLiteralsAreShiftJis)
{
    const char* text = "表示";  // 0x5C trail bytes
    ASSERT_EQ(std::strlen(text), 4u);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0x95);
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 0x5C);
}
