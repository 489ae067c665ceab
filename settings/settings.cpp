#include "settings/settings.h"

namespace lexidrop {

void LoadSettings(Settings& settings, DwordStore& store)
{
    settings = Settings{};
    // Each field's default is its current value, so a failed read leaves the default.
    auto read = [&store](const char* name, std::uint32_t& field) { store.ReadDword(name, field, field); };
    read("ActVKey", settings.ActVKey);
    read("ActMod", settings.ActMod);
    read("SetClipMod", settings.SetClipMod);
    read("LCMWidth", settings.LCMWidth);
    read("LCMKana", settings.LCMKana);
    read("LCMCase", settings.LCMCase);
    read("MaxLine", settings.MaxLine);
    if (settings.MaxLine == 0) settings.MaxLine = 1;
    read("MaxCandi", settings.MaxCandi);
    if (settings.MaxCandi == 0) settings.MaxCandi = 1;
    read("Sort", settings.Sort);
    read("LineNo", settings.LineNo);
    read("TopMost", settings.TopMost);
    read("ExitOnce", settings.ExitOnce);
    read("XExit", settings.XExit);
    read("CBCRLimit", settings.CBCRLimit);
    read("CBCRLines", settings.CBCRLines);
    read("ReadingSource", settings.ReadingSource);
}

void SaveSettings(const Settings& settings, DwordStore& store)
{
    store.WriteDword("ActVKey", settings.ActVKey);
    store.WriteDword("ActMod", settings.ActMod);
    store.WriteDword("SetClipMod", settings.SetClipMod);
    store.WriteDword("LCMWidth", settings.LCMWidth);
    store.WriteDword("LCMKana", settings.LCMKana);
    store.WriteDword("LCMCase", settings.LCMCase);
    store.WriteDword("MaxLine", settings.MaxLine);
    store.WriteDword("MaxCandi", settings.MaxCandi);
    store.WriteDword("Sort", settings.Sort);
    store.WriteDword("LineNo", settings.LineNo);
    store.WriteDword("TopMost", settings.TopMost);
    store.WriteDword("ExitOnce", settings.ExitOnce);
    store.WriteDword("XExit", settings.XExit);
    store.WriteDword("CBCRLimit", settings.CBCRLimit);
    store.WriteDword("CBCRLines", settings.CBCRLines);
    store.WriteDword("ReadingSource", settings.ReadingSource);
}

std::uint32_t ClipboardLineLimit(const Settings& settings)
{
    return settings.CBCRLimit != 0 ? settings.CBCRLines : 0;
}

std::uint32_t MappingFlags(const Settings& settings)
{
    return settings.LCMCase | settings.LCMKana | settings.LCMWidth;
}

}  // namespace lexidrop
