#include "lookup/line_limit.h"

#include <gtest/gtest.h>

#include <string>

namespace lexidrop {
namespace {

std::string Limited(const std::string& text, std::uint32_t limit)
{
    return text.substr(0, LineLimitedLength(text, limit));
}

TEST(LineLimit, CountsCrLfLoneCrAndLoneLfAsOneBreakEach)
{
    const std::string abc = "A\r\nB\r\nC";
    EXPECT_EQ(Limited(abc, 1), "A");
    EXPECT_EQ(Limited(abc, 2), "A\r\nB");
    EXPECT_EQ(Limited(abc, 3), abc);
    EXPECT_EQ(Limited(abc, 9999), abc);
    EXPECT_EQ(Limited(abc, 0), abc);

    EXPECT_EQ(Limited("A\n\rB", 1), "A");
    EXPECT_EQ(Limited("A\n\rB", 2), "A\n");  // LF then CR: two breaks
    EXPECT_EQ(Limited("A\rB\nC", 2), "A\rB");
    EXPECT_EQ(Limited("A\r\n", 1), "A");
    EXPECT_EQ(Limited("A\r\n", 2), "A\r\n");
    EXPECT_EQ(Limited("A", 1), "A");
    EXPECT_EQ(Limited("\r\nA", 1), "");
    EXPECT_EQ(Limited("", 1), "");
}

TEST(LineLimit, DoubleByteTextAndLongLinesAreScannedToTheEnd)
{
    EXPECT_EQ(Limited("漢字\r\nかな", 1), "漢字");
    const std::string megabyte(1 << 20, 'x');
    EXPECT_EQ(LineLimitedLength(megabyte, 1), megabyte.size());
    EXPECT_EQ(Limited("漢\x88", 1), "漢\x88");  // a lone lead byte at the end stays
}

TEST(LineLimit, UnicodeTextBreaksTheSameWay)
{
    const std::wstring text = L"5\u301C6個\r\n\xD842\xDFB7\rC";
    EXPECT_EQ(LineLimitedLength(text, 1), 4u);
    EXPECT_EQ(LineLimitedLength(text, 2), 8u);  // the UTF-16 pair is two units
    EXPECT_EQ(LineLimitedLength(text, 0), text.size());
}

}  // namespace
}  // namespace lexidrop
