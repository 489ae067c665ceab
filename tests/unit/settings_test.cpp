#include "settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

// A store that records the order of accesses and serves values from a map.
class MapStore : public DwordStore {
public:
    std::map<std::string, std::uint32_t> values;
    std::vector<std::string> reads;
    std::vector<std::string> writes;

    bool ReadDword(const char* name, std::uint32_t& target, std::uint32_t defaultValue) override
    {
        reads.push_back(name);
        const auto it = values.find(name);
        target = it == values.end() ? defaultValue : it->second;
        return it != values.end();
    }
    bool WriteDword(const char* name, std::uint32_t value) override
    {
        writes.push_back(name);
        values[name] = value;
        return true;
    }
};

const std::vector<std::string> kStoreOrder = {
    "ActVKey", "ActMod",    "SetClipMod", "LCMWidth",      "LCMKana", "LCMCase",
    "MaxLine", "MaxCandi",  "Sort",       "LineNo",        "TopMost", "ExitOnce",
    "XExit",   "CBCRLimit", "CBCRLines",  "ReadingSource", "Furigana"};

TEST(Settings, EmptyStoreGivesTheDefaultsAndReadsInStoreOrder)
{
    MapStore store;
    Settings settings;
    settings.MaxCandi = 77;  // load starts from the defaults, not from what was there
    settings.Sort = 1;
    LoadSettings(settings, store);
    EXPECT_EQ(store.reads, kStoreOrder);
    EXPECT_EQ(settings.MaxCandi, 20u);
    EXPECT_EQ(settings.MaxLine, 5u);
    EXPECT_EQ(settings.LineNo, 1u);
    EXPECT_EQ(settings.TopMost, 1u);
    EXPECT_EQ(settings.CBCRLimit, 1u);
    EXPECT_EQ(settings.CBCRLines, 1u);
    EXPECT_EQ(settings.ReadingSource, 1u);
    EXPECT_EQ(settings.Sort + settings.ActVKey + settings.ActMod + settings.SetClipMod + settings.LCMWidth +
                  settings.LCMKana + settings.LCMCase + settings.ExitOnce + settings.XExit +
                  settings.Furigana,
              0u);
}

TEST(Settings, OnlyZeroLineAndCandidateCountsAreRaisedOnLoad)
{
    MapStore store;
    store.values = {{"MaxLine", 0},    {"MaxCandi", 0},          {"CBCRLines", 0},
                    {"SetClipMod", 2}, {"LCMWidth", 0x00C00000}, {"Sort", 7}};
    Settings settings;
    LoadSettings(settings, store);
    EXPECT_EQ(settings.MaxLine, 1u);
    EXPECT_EQ(settings.MaxCandi, 1u);
    EXPECT_EQ(settings.CBCRLines, 0u);
    EXPECT_EQ(settings.SetClipMod, 2u);
    EXPECT_EQ(settings.LCMWidth, 0x00C00000u);
    EXPECT_EQ(settings.Sort, 7u);

    store.values = {{"MaxLine", 150}, {"MaxCandi", 500}};
    LoadSettings(settings, store);
    EXPECT_EQ(settings.MaxLine, 150u);
    EXPECT_EQ(settings.MaxCandi, 500u);
}

TEST(Settings, SaveWritesAllFieldsInStoreOrderAndLoadsBackTheSame)
{
    Settings saved;
    saved.ActVKey = 0x41;
    saved.ActMod = 3;
    saved.SetClipMod = 6;
    saved.LCMWidth = 0x00400000;
    saved.LCMKana = 0x00200000;
    saved.LCMCase = 0x200;
    saved.MaxCandi = 99;
    saved.MaxLine = 12;
    saved.Sort = 1;
    saved.LineNo = 0;
    saved.TopMost = 0;
    saved.ExitOnce = 1;
    saved.XExit = 1;
    saved.CBCRLimit = 0;
    saved.CBCRLines = 9999;
    saved.ReadingSource = 2;
    saved.Furigana = 1;
    MapStore store;
    SaveSettings(saved, store);
    EXPECT_EQ(store.writes, kStoreOrder);

    Settings loaded;
    LoadSettings(loaded, store);
    EXPECT_EQ(loaded.ActVKey, 0x41u);
    EXPECT_EQ(loaded.ActMod, 3u);
    EXPECT_EQ(loaded.SetClipMod, 6u);
    EXPECT_EQ(MappingFlags(loaded), 0x00600200u);
    EXPECT_EQ(loaded.MaxCandi, 99u);
    EXPECT_EQ(loaded.MaxLine, 12u);
    EXPECT_EQ(loaded.Sort + loaded.ExitOnce + loaded.XExit, 3u);
    EXPECT_EQ(loaded.LineNo + loaded.TopMost + loaded.CBCRLimit, 0u);
    EXPECT_EQ(loaded.CBCRLines, 9999u);
    EXPECT_EQ(loaded.ReadingSource, 2u);
    EXPECT_EQ(loaded.Furigana, 1u);
}

TEST(Settings, ClipboardLineLimitIsZeroWhenTheLimitIsOff)
{
    Settings settings;
    EXPECT_EQ(ClipboardLineLimit(settings), 1u);
    settings.CBCRLines = 0;
    EXPECT_EQ(ClipboardLineLimit(settings), 0u);
    settings.CBCRLines = 40;
    EXPECT_EQ(ClipboardLineLimit(settings), 40u);
    settings.CBCRLimit = 0;
    EXPECT_EQ(ClipboardLineLimit(settings), 0u);
}

}  // namespace
}  // namespace lexidrop
