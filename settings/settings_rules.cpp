#include "settings/settings_rules.h"

#include "res/dialog_ids.h"

namespace lexidrop {

namespace {

// Virtual-key codes of the digit keys 0..9 on the main keyboard.
constexpr std::uint8_t kVirtualKey0 = 0x30;
constexpr std::uint8_t kVirtualKey9 = 0x39;

std::uint32_t OnOff(bool checked)
{
    return checked ? 1 : 0;
}

}  // namespace

std::uint8_t ModifiersToHotKeyFlags(std::uint32_t modifiers)
{
    std::uint8_t flags = 0;
    if (modifiers & kModControl) flags |= kHotKeyFlagControl;
    if (modifiers & kModShift) flags |= kHotKeyFlagShift;
    if (modifiers & kModAlt) flags |= kHotKeyFlagAlt;
    return flags;
}

std::uint32_t HotKeyFlagsToModifiers(std::uint8_t flags)
{
    std::uint32_t modifiers = 0;
    if (flags & kHotKeyFlagControl) modifiers |= kModControl;
    if (flags & kHotKeyFlagShift) modifiers |= kModShift;
    if (flags & kHotKeyFlagAlt) modifiers |= kModAlt;
    return modifiers;
}

int ModifierChoiceRow(std::uint32_t setClipMod)
{
    for (std::size_t row = 0; row < kModifierChoices.size(); ++row) {
        if (kModifierChoices[row] == setClipMod) return static_cast<int>(row);
    }
    return 0;
}

int ReadingSourceRow(std::uint32_t readingSource)
{
    return static_cast<int>(readingSource < kReadingSourceCount ? readingSource : kReadingSourceDefault);
}

int MappingRadio(std::uint32_t value, MappingGroup group)
{
    if (value & group.first) return 1;
    if (value & group.second) return 2;
    return 0;
}

std::uint32_t MappingValue(int radio, MappingGroup group)
{
    if (radio == 1) return group.first;
    if (radio == 2) return group.second;
    return 0;
}

SettingsForm FormFromSettings(const Settings& settings)
{
    SettingsForm form;
    form.hotKey = static_cast<std::uint8_t>(settings.ActVKey);
    form.hotKeyFlags = ModifiersToHotKeyFlags(settings.ActMod);
    form.modifierRow = ModifierChoiceRow(settings.SetClipMod);
    form.widthRadio = MappingRadio(settings.LCMWidth, kWidthGroup);
    form.kanaRadio = MappingRadio(settings.LCMKana, kKanaGroup);
    form.caseRadio = MappingRadio(settings.LCMCase, kCaseGroup);
    form.maxLine = settings.MaxLine;
    form.maxCandi = settings.MaxCandi;
    form.sort = settings.Sort != 0;
    form.lineNo = settings.LineNo != 0;
    form.topMost = settings.TopMost != 0;
    form.exitOnce = settings.ExitOnce != 0;
    form.xExit = settings.XExit != 0;
    form.limitLines = settings.CBCRLimit != 0;
    form.limitCount = settings.CBCRLines;
    form.readingSourceRow = ReadingSourceRow(settings.ReadingSource);
    form.furigana = settings.Furigana != 0;
    return form;
}

FormCheck CheckForm(const SettingsForm& form, const Settings& current)
{
    FormCheck check;
    check.settings = current;
    const std::uint32_t modifiers = HotKeyFlagsToModifiers(form.hotKeyFlags);
    const std::uint8_t key = modifiers != 0 ? form.hotKey : 0;

    if (form.modifierRow < 0 || form.modifierRow >= static_cast<int>(kModifierChoices.size())) {
        check.outcome = FormCheck::Outcome::NoModifierRow;
        return check;
    }
    const std::uint32_t setClipMod = kModifierChoices[form.modifierRow];

    FormError error = FormError::None;
    if (key >= kVirtualKey0 && key <= kVirtualKey9 && modifiers == setClipMod) {
        error = FormError::SameKey;
    } else if (form.maxLine == 0) {
        error = FormError::MaxLineZero;
    } else if (form.maxCandi == 0) {
        error = FormError::MaxCandiZero;
    } else if (form.limitLines && form.limitCount == 0) {
        error = FormError::LimitCountZero;
    }
    if (error != FormError::None) {
        check.outcome = FormCheck::Outcome::Rejected;
        check.error = error;
        return check;
    }

    Settings& s = check.settings;
    s.ActVKey = key;
    s.ActMod = modifiers;
    s.SetClipMod = setClipMod;
    s.LCMWidth = MappingValue(form.widthRadio, kWidthGroup);
    s.LCMKana = MappingValue(form.kanaRadio, kKanaGroup);
    s.LCMCase = MappingValue(form.caseRadio, kCaseGroup);
    s.MaxLine = form.maxLine;
    s.MaxCandi = form.maxCandi;
    s.Sort = OnOff(form.sort);
    s.LineNo = OnOff(form.lineNo);
    s.TopMost = OnOff(form.topMost);
    s.ExitOnce = OnOff(form.exitOnce);
    s.XExit = OnOff(form.xExit);
    s.CBCRLimit = OnOff(form.limitLines);
    s.CBCRLines = form.limitCount;  // kept even when the limit is off (may then be 0)
    s.Furigana = OnOff(form.furigana);
    if (form.readingSourceRow >= 0 && form.readingSourceRow < static_cast<int>(kReadingSourceCount)) {
        s.ReadingSource = static_cast<std::uint32_t>(form.readingSourceRow);
    }
    return check;
}

std::uint8_t LabelMark(int controlId)
{
    switch (controlId) {
        case IDC_ACTIVATE_LABEL:
        case IDC_COPYKEY_LABEL:
            return static_cast<std::uint8_t>(FormError::SameKey);
        case IDC_MAXLINE_LABEL:
            return static_cast<std::uint8_t>(FormError::MaxLineZero);
        case IDC_MAXCANDI_LABEL:
            return static_cast<std::uint8_t>(FormError::MaxCandiZero);
        case IDC_CBCR_LABEL:
            return static_cast<std::uint8_t>(FormError::LimitCountZero);
        default:
            return 0;
    }
}

FormWarning WarningFor(FormError error)
{
    switch (error) {
        case FormError::SameKey:
            return {IDC_ACTIVATE_HOTKEY, IDS_WARN_SAME_KEY};
        case FormError::MaxLineZero:
            return {IDC_MAXLINE_EDIT, IDS_WARN_MAXLINE_ZERO};
        case FormError::MaxCandiZero:
            return {IDC_MAXCANDI_EDIT, IDS_WARN_MAXCANDI_ZERO};
        case FormError::LimitCountZero:
            return {IDC_CBCR_EDIT, IDS_WARN_CBCRLINES_ZERO};
        case FormError::None:
            break;
    }
    return {0, 0};
}

}  // namespace lexidrop
