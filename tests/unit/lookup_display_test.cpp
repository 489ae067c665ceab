#include "lookup/display_lines.h"
#include "lookup/run_lookup.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

// An in-memory list control: sorted adds when `sorted`, an optional failing operation.
class FakeList : public ListControl {
public:
    std::vector<std::string> lines;
    bool sorted = false;
    int caret = -1;
    int failAddAfter = -1;  // number of adds that succeed before one fails

    void ResetContent() override
    {
        lines.clear();
        caret = -1;
    }
    int AddString(const std::string& text) override
    {
        if (failAddAfter == 0) return -2;
        if (failAddAfter > 0) --failAddAfter;
        auto at = sorted ? std::upper_bound(lines.begin(), lines.end(), text) : lines.end();
        const auto inserted = lines.insert(at, text);
        return static_cast<int>(inserted - lines.begin());
    }
    int InsertString(int index, const std::string& text) override
    {
        if (index < 0 || index > static_cast<int>(lines.size())) return -1;
        lines.insert(lines.begin() + index, text);
        return index;
    }
    int DeleteString(int index) override
    {
        if (index < 0 || index >= static_cast<int>(lines.size())) return -1;
        lines.erase(lines.begin() + index);
        return static_cast<int>(lines.size());
    }
    int GetCount() override { return static_cast<int>(lines.size()); }
    bool GetText(int index, std::string& text) override
    {
        if (index < 0 || index >= static_cast<int>(lines.size())) return false;
        text = lines[index];
        return true;
    }
    bool SetCaretIndex(int index) override
    {
        if (index < 0 || index >= static_cast<int>(lines.size())) return false;
        caret = index;
        return true;
    }
};

TEST(DisplayLines, SourceIsLineZeroAndOnlyReadingsAreSorted)
{
    FakeList list;
    list.sorted = true;
    list.lines = {"old"};
    EXPECT_TRUE(SetDisplayLines(list, "zzz", {"c", "a", "b"}, false));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"zzz", "a", "b", "c"}));
    EXPECT_EQ(list.caret, 0);

    list.sorted = false;
    EXPECT_TRUE(SetDisplayLines(list, "zzz", {"c", "a", "b"}, false));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"zzz", "c", "a", "b"}));
}

TEST(DisplayLines, NumbersLinesZeroToNineAndBlanksTheRest)
{
    FakeList list;
    ReadingList readings;
    for (int i = 1; i <= 11; ++i) readings.push_back("r" + std::to_string(i));
    EXPECT_TRUE(SetDisplayLines(list, "src", readings, true));
    ASSERT_EQ(list.lines.size(), 12u);
    EXPECT_EQ(list.lines[0], "0 src");
    EXPECT_EQ(list.lines[9], "9 r9");
    EXPECT_EQ(list.lines[10], "  r10");
    EXPECT_EQ(list.lines[11], "  r11");
    EXPECT_EQ(list.caret, 0);

    std::string text = "junk";
    EXPECT_TRUE(GetDisplayLineText(list, 11, true, text));
    EXPECT_EQ(text, "r11");
    EXPECT_TRUE(GetDisplayLineText(list, 0, true, text));
    EXPECT_EQ(text, "src");
    EXPECT_TRUE(GetDisplayLineText(list, 0, false, text));
    EXPECT_EQ(text, "0 src");
    EXPECT_FALSE(GetDisplayLineText(list, 12, true, text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(GetDisplayLineText(list, -1, true, text));

    // The source line alone, numbered.
    EXPECT_TRUE(SetDisplayLines(list, "漢字", {}, true));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"0 漢字"}));
}

TEST(DisplayLines, TheFuriganaLineStaysLineOneSortedAndNumbered)
{
    FakeList list;
    list.sorted = true;
    EXPECT_TRUE(SetDisplayLines(list, "src", {"c", "a", "b"}, true, "f[x]"));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"0 src", "1 f[x]", "2 a", "3 b", "4 c"}));
    EXPECT_EQ(list.caret, 0);
    std::string text;
    EXPECT_TRUE(GetDisplayLineText(list, 1, true, text));
    EXPECT_EQ(text, "f[x]");
    // With no readings the two lines remain.
    EXPECT_TRUE(SetDisplayLines(list, "src", {}, false, "f[x]"));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"src", "f[x]"}));
}

TEST(DisplayLines, AFailingAddStopsWithWhatWasDone)
{
    FakeList list;
    list.failAddAfter = 1;
    EXPECT_FALSE(SetDisplayLines(list, "src", {"a", "b", "c"}, true));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"a"}));
    EXPECT_EQ(list.caret, -1);
}

TEST(AnswerListKey, LeftAndRightWrapEnterIsHandled)
{
    EXPECT_EQ(AnswerListKey(0x0D, 1, 3), kKeyHandled);
    EXPECT_EQ(AnswerListKey(0x25, 0, 3), 2);  // Left on the first line
    EXPECT_EQ(AnswerListKey(0x25, 1, 3), kKeyDefault);
    EXPECT_EQ(AnswerListKey(0x27, 2, 3), 0);  // Right on the last line
    EXPECT_EQ(AnswerListKey(0x27, 1, 3), kKeyDefault);
    EXPECT_EQ(AnswerListKey(0x26, 0, 3), kKeyDefault);  // Up does not wrap
    EXPECT_EQ(AnswerListKey(0x28, 2, 3), kKeyDefault);  // nor Down
    EXPECT_EQ(AnswerListKey(0x25, 0, 0), kKeyDefault);  // empty list
    EXPECT_EQ(AnswerListKey(0x27, -1, 0), kKeyDefault);
    EXPECT_EQ(AnswerListKey(0x27, 0, 1), 0);
}

class FakeSource : public TextSource {
public:
    bool ok = true;
    std::string text;
    bool ReadText(std::string& out) override
    {
        out = ok ? text : "";
        return ok;
    }
};

class FakeReadings : public ReadingSource {
public:
    std::uint32_t maxCandi = 0, flags = 0;
    void Convert(std::uint32_t max, std::uint32_t mapping, const std::string& text, ReadingList& out) override
    {
        maxCandi = max;
        flags = mapping;
        out = {text + "1", text + "2"};
    }
};

class FakeDisplay : public LineDisplay {
public:
    int calls = 0;
    std::string source, furigana;
    ReadingList readings;
    bool SetLines(const std::string& text, const ReadingList& list, const std::string& line) override
    {
        ++calls;
        source = text;
        readings = list;
        furigana = line;
        return false;
    }
};

class FakeFurigana : public FuriganaSource {
public:
    std::uint32_t flags = 0;
    std::string FuriganaLine(const std::string& text, std::uint32_t mapping) override
    {
        flags = mapping;
        return text + "[f]";
    }
};

TEST(RunLookup, ShowsTheTextAndItsReadingsOrLeavesTheDisplayAlone)
{
    FakeSource source;
    FakeReadings readings;
    FakeDisplay display;
    Settings settings;
    settings.MaxCandi = 7;
    settings.LCMKana = 0x00200000;
    settings.LCMCase = 0x100;

    source.text = "t";
    EXPECT_TRUE(RunLookup(source, readings, display, settings.MaxCandi,
                          MappingFlags(settings)));  // display failure ignored
    EXPECT_EQ(display.source, "t");
    EXPECT_EQ(display.readings, (ReadingList{"t1", "t2"}));
    EXPECT_EQ(readings.maxCandi, 7u);
    EXPECT_EQ(readings.flags, 0x00200100u);

    source.text = "";
    EXPECT_FALSE(RunLookup(source, readings, display, settings.MaxCandi, MappingFlags(settings)));
    source.ok = false;
    EXPECT_FALSE(RunLookup(source, readings, display, settings.MaxCandi, MappingFlags(settings)));
    EXPECT_EQ(display.calls, 1);
}

TEST(RunLookup, TheFuriganaLineWhenThereIsASource)
{
    FakeSource source;
    source.text = "t";
    FakeReadings readings;
    FakeDisplay display;
    FakeFurigana furigana;
    RunLookup(source, readings, display, 20, 0x00200000, &furigana);
    EXPECT_EQ(display.furigana, "t[f]");
    EXPECT_EQ(furigana.flags, 0x00200000u);
    EXPECT_EQ(display.readings, (ReadingList{"t1", "t2"}));

    RunLookup(source, readings, display, 20, 0);  // the setting off, or no engine
    EXPECT_EQ(display.furigana, "");
}

}  // namespace
}  // namespace lexidrop
