// The program's settings record, named after the registry values that store it,
// and its load/save order over any store of 32-bit values.
#pragma once
#include <cstdint>

namespace lexidrop {

// Every configurable value; each field is stored as the REG_DWORD of the same name.
struct Settings {
    std::uint32_t ActVKey = 0;        // virtual key of the activation hot key (0: none)
    std::uint32_t ActMod = 0;         // MOD_* mask of the activation hot key (0: none)
    std::uint32_t SetClipMod = 0;     // MOD_* mask of the copy hot keys modifier+0..9 (0: none)
    std::uint32_t LCMWidth = 0;       // 0, LCMAP_HALFWIDTH or LCMAP_FULLWIDTH
    std::uint32_t LCMKana = 0;        // 0, LCMAP_HIRAGANA or LCMAP_KATAKANA
    std::uint32_t LCMCase = 0;        // 0, LCMAP_LOWERCASE or LCMAP_UPPERCASE
    std::uint32_t MaxCandi = 20;      // most readings taken per lookup (at least 1 after load)
    std::uint32_t MaxLine = 5;        // most lines the main window sizes itself to (at least 1 after load)
    std::uint32_t Sort = 0;           // non-zero: readings shown sorted
    std::uint32_t LineNo = 1;         // non-zero: lines 0-9 carry their number
    std::uint32_t TopMost = 1;        // non-zero: main window stays on top
    std::uint32_t ExitOnce = 0;       // non-zero: end the program after a line was copied
    std::uint32_t XExit = 0;          // non-zero: close button ends the program instead of hiding
    std::uint32_t CBCRLimit = 1;      // non-zero: take only the first CBCRLines lines of the clipboard
    std::uint32_t CBCRLines = 1;      // that number of lines
    std::uint32_t ReadingSource = 1;  // 0: IME only, 1: IME, else the built-in engine, 2: engine only
    std::uint32_t Furigana = 0;       // non-zero: the text with readings over its kanji as line 1
};

// A store of named 32-bit values (the registry key in the program, a map in tests).
class DwordStore {
public:
    virtual ~DwordStore() = default;
    // Reads `name` into `target`; on any failure stores `defaultValue` there and returns false.
    virtual bool ReadDword(const char* name, std::uint32_t& target, std::uint32_t defaultValue) = 0;
    // Writes `value` as `name`; returns whether it was stored.
    virtual bool WriteDword(const char* name, std::uint32_t value) = 0;
};

// Resets `settings` to the defaults, then reads every field from `store` (MaxLine, MaxCandi 0 -> 1).
void LoadSettings(Settings& settings, DwordStore& store);
// Writes all seventeen fields to `store`, whether or not they changed; write results are ignored.
void SaveSettings(const Settings& settings, DwordStore& store);

// The clipboard line limit derived from the settings: CBCRLines when CBCRLimit is on, else 0 (none).
std::uint32_t ClipboardLineLimit(const Settings& settings);
// The string-mapping flags of a lookup: LCMCase | LCMKana | LCMWidth.
std::uint32_t MappingFlags(const Settings& settings);

}  // namespace lexidrop
