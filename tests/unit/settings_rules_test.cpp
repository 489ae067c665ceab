#include "settings/settings_rules.h"

#include <gtest/gtest.h>

#include "res/dialog_ids.h"

namespace lexidrop {
namespace {

constexpr std::uint8_t kKey5 = 0x35;
constexpr std::uint8_t kNumpad5 = 0x65;

// A form that passes every check: what the dialog shows for the defaults.
SettingsForm ValidForm()
{
    return FormFromSettings(Settings{});
}

TEST(HotKeyFlags, TranslateBothWaysAndDropTheExtendedFlag)
{
    EXPECT_EQ(ModifiersToHotKeyFlags(kModControl), kHotKeyFlagControl);
    EXPECT_EQ(ModifiersToHotKeyFlags(kModShift), kHotKeyFlagShift);
    EXPECT_EQ(ModifiersToHotKeyFlags(kModAlt), kHotKeyFlagAlt);
    EXPECT_EQ(ModifiersToHotKeyFlags(0), 0);
    // Alt and Shift sit on different bits in the two encodings.
    EXPECT_EQ(ModifiersToHotKeyFlags(kModAlt | kModShift), kHotKeyFlagAlt | kHotKeyFlagShift);
    EXPECT_EQ(ModifiersToHotKeyFlags(kModAlt), 0x4);
    EXPECT_EQ(HotKeyFlagsToModifiers(0x4), 0x1u);
    EXPECT_EQ(HotKeyFlagsToModifiers(0x1), 0x4u);

    for (std::uint32_t modifiers = 0; modifiers < 8; ++modifiers) {
        EXPECT_EQ(HotKeyFlagsToModifiers(ModifiersToHotKeyFlags(modifiers)), modifiers);
        EXPECT_EQ(HotKeyFlagsToModifiers(ModifiersToHotKeyFlags(modifiers) | kHotKeyFlagExtended), modifiers);
    }
}

TEST(ModifierChoices, RowsFollowTheListOrderAndUnknownMasksShowNone)
{
    EXPECT_EQ(ModifierChoiceRow(0), 0);
    EXPECT_EQ(ModifierChoiceRow(1), 1);
    EXPECT_EQ(ModifierChoiceRow(6), 2);
    EXPECT_EQ(ModifierChoiceRow(5), 3);
    EXPECT_EQ(ModifierChoiceRow(3), 4);
    EXPECT_EQ(ModifierChoiceRow(7), 5);
    EXPECT_EQ(ModifierChoiceRow(2), 0);  // Ctrl alone is not offered
    EXPECT_EQ(ModifierChoiceRow(4), 0);
    EXPECT_EQ(ModifierChoiceRow(0x100), 0);
}

TEST(ReadingSource, RowIsTheValueAndUnknownValuesShowTheDefault)
{
    EXPECT_EQ(ReadingSourceRow(0), 0);
    EXPECT_EQ(ReadingSourceRow(1), 1);
    EXPECT_EQ(ReadingSourceRow(2), 2);
    EXPECT_EQ(ReadingSourceRow(3), 1);
    EXPECT_EQ(ReadingSourceRow(0xFFFFFFFF), 1);

    Settings stored;
    stored.ReadingSource = 9;
    SettingsForm form = FormFromSettings(stored);
    EXPECT_EQ(form.readingSourceRow, 1);
    form.readingSourceRow = 2;
    EXPECT_EQ(CheckForm(form, stored).settings.ReadingSource, 2u);
    form.readingSourceRow = 0;
    EXPECT_EQ(CheckForm(form, stored).settings.ReadingSource, 0u);
    // Nothing selected: the stored value stays.
    form.readingSourceRow = -1;
    EXPECT_EQ(CheckForm(form, stored).settings.ReadingSource, 9u);
}

TEST(MappingRadios, PickTheFirstFlagWhenBothAreStored)
{
    EXPECT_EQ(MappingRadio(0, kWidthGroup), 0);
    EXPECT_EQ(MappingRadio(kMapHalfWidth, kWidthGroup), 1);
    EXPECT_EQ(MappingRadio(kMapFullWidth, kWidthGroup), 2);
    EXPECT_EQ(MappingRadio(kMapHalfWidth | kMapFullWidth, kWidthGroup), 1);
    EXPECT_EQ(MappingRadio(kMapKatakana, kKanaGroup), 2);
    EXPECT_EQ(MappingRadio(kMapUpperCase, kCaseGroup), 2);
    // A flag of another group does not select anything here.
    EXPECT_EQ(MappingRadio(kMapHiragana, kWidthGroup), 0);

    Settings stored;
    stored.LCMWidth = kMapHalfWidth | kMapFullWidth;
    const FormCheck check = CheckForm(FormFromSettings(stored), stored);
    ASSERT_EQ(check.outcome, FormCheck::Outcome::Accepted);
    EXPECT_EQ(check.settings.LCMWidth, kMapHalfWidth);
}

TEST(CheckForm, AcceptedFormBecomesTheWholeRecord)
{
    SettingsForm form;
    form.hotKey = 'Q';
    form.hotKeyFlags = kHotKeyFlagControl | kHotKeyFlagShift | kHotKeyFlagExtended;
    form.modifierRow = 3;
    form.widthRadio = 2;
    form.kanaRadio = 1;
    form.caseRadio = 2;
    form.maxLine = 150;
    form.maxCandi = 7;
    form.sort = true;
    form.lineNo = false;
    form.topMost = false;
    form.exitOnce = true;
    form.xExit = true;
    form.limitLines = true;
    form.limitCount = 9999;
    form.furigana = true;

    const FormCheck check = CheckForm(form, Settings{});
    ASSERT_EQ(check.outcome, FormCheck::Outcome::Accepted);
    EXPECT_EQ(check.error, FormError::None);
    const Settings& s = check.settings;
    EXPECT_EQ(s.ActVKey, static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(s.ActMod, kModControl | kModShift);
    EXPECT_EQ(s.SetClipMod, 5u);
    EXPECT_EQ(s.LCMWidth, kMapFullWidth);
    EXPECT_EQ(s.LCMKana, kMapHiragana);
    EXPECT_EQ(s.LCMCase, kMapUpperCase);
    EXPECT_EQ(s.MaxLine, 150u);
    EXPECT_EQ(s.MaxCandi, 7u);
    EXPECT_EQ(s.Sort, 1u);
    EXPECT_EQ(s.LineNo, 0u);
    EXPECT_EQ(s.TopMost, 0u);
    EXPECT_EQ(s.ExitOnce, 1u);
    EXPECT_EQ(s.XExit, 1u);
    EXPECT_EQ(s.CBCRLimit, 1u);
    EXPECT_EQ(s.CBCRLines, 9999u);
    EXPECT_EQ(s.Furigana, 1u);
}

TEST(CheckForm, ShowingAndAcceptingUnchangedSettingsKeepsThem)
{
    Settings stored;
    stored.ActVKey = 'Z';
    stored.ActMod = kModAlt | kModShift;
    stored.SetClipMod = 7;
    stored.LCMKana = kMapKatakana;
    stored.LCMCase = kMapLowerCase;
    stored.MaxLine = 12;
    stored.MaxCandi = 99;
    stored.Sort = 1;
    stored.LineNo = 0;
    stored.CBCRLimit = 0;
    stored.CBCRLines = 0;
    stored.Furigana = 5;  // any non-zero value is on

    const FormCheck check = CheckForm(FormFromSettings(stored), stored);
    ASSERT_EQ(check.outcome, FormCheck::Outcome::Accepted);
    const Settings& s = check.settings;
    EXPECT_EQ(s.ActVKey, stored.ActVKey);
    EXPECT_EQ(s.ActMod, stored.ActMod);
    EXPECT_EQ(s.SetClipMod, stored.SetClipMod);
    EXPECT_EQ(s.LCMWidth, 0u);
    EXPECT_EQ(s.LCMKana, stored.LCMKana);
    EXPECT_EQ(s.LCMCase, stored.LCMCase);
    EXPECT_EQ(s.MaxLine, stored.MaxLine);
    EXPECT_EQ(s.MaxCandi, stored.MaxCandi);
    EXPECT_EQ(s.Sort, 1u);
    EXPECT_EQ(s.LineNo, 0u);
    EXPECT_EQ(s.TopMost, 1u);
    EXPECT_EQ(s.Furigana, 1u);
    // The limit is off with 0 lines: accepted, 0 kept.
    EXPECT_EQ(s.CBCRLimit, 0u);
    EXPECT_EQ(s.CBCRLines, 0u);
}

TEST(CheckForm, OnOffFieldsReadAsNonZeroAreWrittenAsOne)
{
    Settings stored;
    stored.Sort = 5;
    stored.XExit = 0xFFFFFFFF;
    stored.SetClipMod = 2;  // not a choice of the list: shown and saved as "none"
    const FormCheck check = CheckForm(FormFromSettings(stored), stored);
    ASSERT_EQ(check.outcome, FormCheck::Outcome::Accepted);
    EXPECT_EQ(check.settings.Sort, 1u);
    EXPECT_EQ(check.settings.XExit, 1u);
    EXPECT_EQ(check.settings.SetClipMod, 0u);
}

TEST(CheckForm, ActivationKeyWithoutModifiersMeansNoActivationKey)
{
    SettingsForm form = ValidForm();
    form.hotKey = 'A';
    form.hotKeyFlags = 0;
    FormCheck check = CheckForm(form, Settings{});
    ASSERT_EQ(check.outcome, FormCheck::Outcome::Accepted);
    EXPECT_EQ(check.settings.ActVKey, 0u);
    EXPECT_EQ(check.settings.ActMod, 0u);

    // Only the extended flag: no modifier either.
    form.hotKeyFlags = kHotKeyFlagExtended;
    check = CheckForm(form, Settings{});
    EXPECT_EQ(check.settings.ActVKey, 0u);
    EXPECT_EQ(check.settings.ActMod, 0u);
}

TEST(CheckForm, DigitActivationKeyClashesOnlyWithTheSameModifiers)
{
    SettingsForm form = ValidForm();
    form.modifierRow = 1;  // Alt + digit
    form.hotKey = kKey5;
    form.hotKeyFlags = kHotKeyFlagAlt;
    FormCheck check = CheckForm(form, Settings{});
    EXPECT_EQ(check.outcome, FormCheck::Outcome::Rejected);
    EXPECT_EQ(check.error, FormError::SameKey);

    form.hotKey = 0x30;  // both ends of the digit range
    EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::SameKey);
    form.hotKey = 0x39;
    EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::SameKey);

    form.hotKey = 0x3A;
    EXPECT_EQ(CheckForm(form, Settings{}).outcome, FormCheck::Outcome::Accepted);
    form.hotKey = kNumpad5;  // the numeric keypad is not a digit key here
    EXPECT_EQ(CheckForm(form, Settings{}).outcome, FormCheck::Outcome::Accepted);
    form.hotKey = kKey5;
    form.hotKeyFlags = kHotKeyFlagControl | kHotKeyFlagAlt;
    EXPECT_EQ(CheckForm(form, Settings{}).outcome, FormCheck::Outcome::Accepted);

    // "None" offers no copy keys: an activation key without modifiers is
    // dropped before the comparison, so nothing can clash.
    form.modifierRow = 0;
    form.hotKeyFlags = 0;
    EXPECT_EQ(CheckForm(form, Settings{}).outcome, FormCheck::Outcome::Accepted);

    // Every listed modifier set clashes with its own digit activation key.
    for (int row = 1; row < static_cast<int>(kModifierChoices.size()); ++row) {
        form.modifierRow = row;
        form.hotKey = kKey5;
        form.hotKeyFlags = ModifiersToHotKeyFlags(kModifierChoices[row]);
        EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::SameKey) << "row " << row;
    }
}

TEST(CheckForm, ZeroCountsAreRejectedInTheDialogsOrder)
{
    SettingsForm form = ValidForm();
    form.modifierRow = 1;
    form.hotKey = kKey5;
    form.hotKeyFlags = kHotKeyFlagAlt;
    form.maxLine = 0;
    form.maxCandi = 0;
    form.limitLines = true;
    form.limitCount = 0;
    EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::SameKey);
    form.hotKeyFlags = kHotKeyFlagControl | kHotKeyFlagAlt;
    EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::MaxLineZero);
    form.maxLine = 1;
    EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::MaxCandiZero);
    form.maxCandi = 1;
    EXPECT_EQ(CheckForm(form, Settings{}).error, FormError::LimitCountZero);
    form.limitLines = false;
    EXPECT_EQ(CheckForm(form, Settings{}).outcome, FormCheck::Outcome::Accepted);
}

TEST(CheckForm, NoSelectedModifierRowKeepsTheDialogOpenSilently)
{
    SettingsForm form = ValidForm();
    form.modifierRow = -1;
    form.maxLine = 0;  // would be rejected, but the missing row comes first
    FormCheck check = CheckForm(form, Settings{});
    EXPECT_EQ(check.outcome, FormCheck::Outcome::NoModifierRow);
    EXPECT_EQ(check.error, FormError::None);
    form.modifierRow = static_cast<int>(kModifierChoices.size());
    EXPECT_EQ(CheckForm(form, Settings{}).outcome, FormCheck::Outcome::NoModifierRow);
}

TEST(Warnings, EachErrorMarksItsLabelsAndFocusesItsField)
{
    const struct {
        FormError error;
        int focus;
        int message;
        int labels[2];
    } rows[] = {
        {FormError::SameKey, IDC_ACTIVATE_HOTKEY, IDS_WARN_SAME_KEY, {IDC_ACTIVATE_LABEL, IDC_COPYKEY_LABEL}},
        {FormError::MaxLineZero,
         IDC_MAXLINE_EDIT,
         IDS_WARN_MAXLINE_ZERO,
         {IDC_MAXLINE_LABEL, IDC_MAXLINE_LABEL}},
        {FormError::MaxCandiZero,
         IDC_MAXCANDI_EDIT,
         IDS_WARN_MAXCANDI_ZERO,
         {IDC_MAXCANDI_LABEL, IDC_MAXCANDI_LABEL}},
        {FormError::LimitCountZero, IDC_CBCR_EDIT, IDS_WARN_CBCRLINES_ZERO, {IDC_CBCR_LABEL, IDC_CBCR_LABEL}},
    };
    for (const auto& row : rows) {
        const FormWarning warning = WarningFor(row.error);
        EXPECT_EQ(warning.focusControl, row.focus);
        EXPECT_EQ(warning.messageId, row.message);
        for (int label : row.labels) {
            EXPECT_EQ(LabelMark(label), static_cast<std::uint8_t>(row.error));
        }
    }
    EXPECT_EQ(LabelMark(IDC_MAXLINE_EDIT), 0);
    EXPECT_EQ(LabelMark(-1), 0);
    EXPECT_EQ(WarningFor(FormError::None).focusControl, 0);
}

}  // namespace
}  // namespace lexidrop
