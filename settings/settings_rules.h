// The settings dialog's rules, free of any window: the translation between the
// hot-key control's modifier flags and RegisterHotKey masks, the list of
// copy-key modifier choices, the radio groups of the three mappings, and the
// check that OK runs on the dialog's contents before they become the settings.
#pragma once
#include <array>
#include <cstdint>

#include "engine/map_flags.h"
#include "settings/settings.h"

namespace lexidrop {

// RegisterHotKey modifier masks (MOD_*), as stored in ActMod and SetClipMod.
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;

// Modifier flags of the hot-key control (HOTKEYF_*), the high byte of its value.
inline constexpr std::uint8_t kHotKeyFlagShift = 0x1;
inline constexpr std::uint8_t kHotKeyFlagControl = 0x2;
inline constexpr std::uint8_t kHotKeyFlagAlt = 0x4;
inline constexpr std::uint8_t kHotKeyFlagExtended = 0x8;

// MOD_* mask -> hot-key control flags (other bits are ignored).
std::uint8_t ModifiersToHotKeyFlags(std::uint32_t modifiers);
// Hot-key control flags -> MOD_* mask; the extended-key flag is dropped.
std::uint32_t HotKeyFlagsToModifiers(std::uint8_t flags);

// The copy-key modifier choices in list order; the list row is the index.
inline constexpr std::array<std::uint32_t, 6> kModifierChoices = {
    0,                        // none: no copy hot keys
    kModAlt,                  // Alt
    kModControl | kModShift,  // Ctrl + Shift
    kModShift | kModAlt,      // Shift + Alt
    kModControl | kModAlt,    // Ctrl + Alt
    kModControl | kModShift | kModAlt,
};
// The row whose value equals `setClipMod`; row 0 ("none") when no row does.
int ModifierChoiceRow(std::uint32_t setClipMod);

// Where readings come from (the ReadingSource setting); the list row is the value.
inline constexpr std::uint32_t kReadingSourceCount = 3;  // IME only, IME then dictionary, dictionary only
inline constexpr std::uint32_t kReadingSourceDefault = 1;
// The row of a stored value; values outside the list show the default.
int ReadingSourceRow(std::uint32_t readingSource);

// One radio group: "no change", then two flags that exclude each other.
struct MappingGroup {
    std::uint32_t first;
    std::uint32_t second;
};
inline constexpr MappingGroup kWidthGroup = {kMapHalfWidth, kMapFullWidth};
inline constexpr MappingGroup kKanaGroup = {kMapHiragana, kMapKatakana};
inline constexpr MappingGroup kCaseGroup = {kMapLowerCase, kMapUpperCase};

// Radio button of a group: 0 "no change", 1 the first flag, 2 the second.
// A stored value with both flags selects the first.
int MappingRadio(std::uint32_t value, MappingGroup group);
// The flag value of a selected radio button (0, first or second).
std::uint32_t MappingValue(int radio, MappingGroup group);

// What the dialog's controls hold when OK is pressed.
struct SettingsForm {
    std::uint8_t hotKey = 0;       // virtual key of the hot-key control
    std::uint8_t hotKeyFlags = 0;  // its HOTKEYF_* flags
    int modifierRow = 0;           // selected copy-key row, -1 when none is selected
    int widthRadio = 0;            // MappingRadio numbering
    int kanaRadio = 0;
    int caseRadio = 0;
    std::uint32_t maxLine = 0;  // numbers read from the edits; 0 when empty or unreadable
    std::uint32_t maxCandi = 0;
    bool sort = false;
    bool lineNo = false;
    bool topMost = false;
    bool exitOnce = false;
    bool xExit = false;
    bool limitLines = false;       // the clipboard limit check box
    bool furigana = false;         // the furigana line check box
    std::uint32_t limitCount = 0;  // its number of lines
    int readingSourceRow = 1;      // selected reading source, -1 when none is selected
};

// The controls' contents for the given settings, as the dialog shows them.
SettingsForm FormFromSettings(const Settings& settings);

// Which field OK rejects. The value is the dialog's errorMark: the label
// painted red (1 both hot-key labels, 2 MaxLine, 3 MaxCandi, 4 CBCRLines).
enum class FormError : std::uint8_t {
    None = 0,
    SameKey = 1,  // activation key is a digit with the copy keys' modifiers
    MaxLineZero = 2,
    MaxCandiZero = 3,
    LimitCountZero = 4,  // limit checked with 0 lines
};

// The result of OK's check.
struct FormCheck {
    enum class Outcome { Accepted, NoModifierRow, Rejected };
    Outcome outcome = Outcome::Accepted;
    FormError error = FormError::None;  // set when Rejected
    Settings settings;                  // the new record when Accepted
};

// Checks the form in the dialog's order (no copy-key row: silently kept open;
// then the four errors, first one wins) and builds the new record from it,
// starting from `current` so that fields the form does not show are kept.
// An activation key without modifiers is stored as no activation key at all.
FormCheck CheckForm(const SettingsForm& form, const Settings& current);

// The errorMark of a label control of the dialog, 0 for any other control.
std::uint8_t LabelMark(int controlId);

// What a rejected OK does: the control that gets the focus and the warning's
// string id.
struct FormWarning {
    int focusControl;
    int messageId;
};
FormWarning WarningFor(FormError error);

}  // namespace lexidrop
