#include "settings/settings.h"

namespace lexidrop {
namespace {

// The stored values in the order they are read and written.
struct StoredField {
    const char* name;
    std::uint32_t Settings::*field;
};

constexpr StoredField kStoredFields[] = {
    {"ActVKey", &Settings::ActVKey},
    {"ActMod", &Settings::ActMod},
    {"SetClipMod", &Settings::SetClipMod},
    {"LCMWidth", &Settings::LCMWidth},
    {"LCMKana", &Settings::LCMKana},
    {"LCMCase", &Settings::LCMCase},
    {"MaxLine", &Settings::MaxLine},
    {"MaxCandi", &Settings::MaxCandi},
    {"Sort", &Settings::Sort},
    {"LineNo", &Settings::LineNo},
    {"TopMost", &Settings::TopMost},
    {"ExitOnce", &Settings::ExitOnce},
    {"XExit", &Settings::XExit},
    {"CBCRLimit", &Settings::CBCRLimit},
    {"CBCRLines", &Settings::CBCRLines},
    {"ReadingSource", &Settings::ReadingSource},
    {"Furigana", &Settings::Furigana},
};

}  // namespace

void LoadSettings(Settings& settings, DwordStore& store)
{
    settings = Settings{};
    // Each field's default is its current value, so a failed read leaves the default.
    for (const auto& stored : kStoredFields) {
        std::uint32_t& field = settings.*stored.field;
        store.ReadDword(stored.name, field, field);
    }
    // A stored 0 would show no line and take no reading.
    if (settings.MaxLine == 0) settings.MaxLine = 1;
    if (settings.MaxCandi == 0) settings.MaxCandi = 1;
}

void SaveSettings(const Settings& settings, DwordStore& store)
{
    for (const auto& stored : kStoredFields) store.WriteDword(stored.name, settings.*stored.field);
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
