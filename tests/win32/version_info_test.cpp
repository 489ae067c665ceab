#include "services/version_info.h"

#include <gtest/gtest.h>

namespace lexidrop {
namespace {

// The test program carries the same version resource as Lexidrop.exe.
TEST(VersionInfo, ReadsTheProgramsOwnVersionResource)
{
    VersionInfo info;
    EXPECT_EQ(info.QueryString("ProductName"), "Lexidrop");
    EXPECT_EQ(info.QueryString("ProductVersion"), "1, 8, 0, 0");
    EXPECT_EQ(info.QueryString("Comments"), "読み仮名表示ソフト");
    EXPECT_EQ(info.QueryString("CompanyName"), " ");
    EXPECT_EQ(info.VersionText("ProductVersion"), "1.08");
    EXPECT_EQ(info.TitleText(), "Lexidrop Version1.08");
}

TEST(VersionInfo, MissingKeyGivesEmptyTextAndLeavesLaterQueriesIntact)
{
    VersionInfo info;
    EXPECT_EQ(info.QueryString("NoSuchKey"), "");
    EXPECT_EQ(info.VersionText("NoSuchKey"), "");
    EXPECT_EQ(info.QueryString("InternalName"), "Lexidrop");
}

}  // namespace
}  // namespace lexidrop
