#include "services/version_text.h"

#include <gtest/gtest.h>

namespace lexidrop {
namespace {

TEST(ShortVersionText, ReformatsCommaSeparatedVersions)
{
    EXPECT_EQ(ShortVersionText("1, 8, 0, 0"), "1.08");
    EXPECT_EQ(ShortVersionText("1, 0, 0, 1"), "1.00");
    EXPECT_EQ(ShortVersionText("2, 10, 3, 0"), "2.10");
    EXPECT_EQ(ShortVersionText("1, 12, 0, 0"), "1.12");
    EXPECT_EQ(ShortVersionText("1, 123, 0, 0"), "1.123");
    EXPECT_EQ(ShortVersionText("10, 8, 0, 0"), "10.08");
}

TEST(ShortVersionText, ValuesWithoutAThirdNumberGiveNothing)
{
    EXPECT_EQ(ShortVersionText("1, 8"), "");
    EXPECT_EQ(ShortVersionText("1.8"), "");
    EXPECT_EQ(ShortVersionText("18"), "");
    EXPECT_EQ(ShortVersionText("1, x"), "");
    EXPECT_EQ(ShortVersionText(""), "");
}

TEST(VersionCaption, HasNoBlankBeforeTheNumber)
{
    EXPECT_EQ(VersionCaption("Lexidrop", "1.08"), "Lexidrop Version1.08");
    EXPECT_EQ(VersionCaption("", ""), " Version");
}

}  // namespace
}  // namespace lexidrop
