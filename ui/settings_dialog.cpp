#include "ui/settings_dialog.h"

#include <commctrl.h>

#include <string>

#include "services/help_launcher.h"
#include "services/version_info.h"
#include "win32/window_instance.h"
#include "win32/resource_text.h"
#include "res/dialog_ids.h"
#include "res/resource.h"
#include "services/registry_key.h"

namespace lexidrop {

namespace {

// Longest line of a tooltip before it wraps; "\n" in a text breaks the line.
constexpr int kToolTipWidth = 640;

struct ToolTipRow {
    int control;
    int textOf;  // the control whose text it shows (an up-down shares its edit's)
};

// Every input control and its tooltip, in the order the tools are added.
constexpr ToolTipRow kToolTipTable[] = {
    {IDC_ACTIVATE_HOTKEY, IDC_ACTIVATE_HOTKEY},
    {IDC_COPYKEY_COMBO, IDC_COPYKEY_COMBO},
    {IDC_WIDTH_NONE, IDC_WIDTH_NONE},
    {IDC_WIDTH_HALF, IDC_WIDTH_HALF},
    {IDC_WIDTH_FULL, IDC_WIDTH_FULL},
    {IDC_KANA_NONE, IDC_KANA_NONE},
    {IDC_KANA_HIRAGANA, IDC_KANA_HIRAGANA},
    {IDC_KANA_KATAKANA, IDC_KANA_KATAKANA},
    {IDC_CASE_NONE, IDC_CASE_NONE},
    {IDC_CASE_LOWER, IDC_CASE_LOWER},
    {IDC_CASE_UPPER, IDC_CASE_UPPER},
    {IDC_MAXLINE_EDIT, IDC_MAXLINE_EDIT},
    {IDC_MAXLINE_SPIN, IDC_MAXLINE_EDIT},
    {IDC_MAXCANDI_EDIT, IDC_MAXCANDI_EDIT},
    {IDC_MAXCANDI_SPIN, IDC_MAXCANDI_EDIT},
    {IDC_SORT, IDC_SORT},
    {IDC_LINENO, IDC_LINENO},
    {IDC_TOPMOST, IDC_TOPMOST},
    {IDC_EXITONCE, IDC_EXITONCE},
    {IDC_XEXIT, IDC_XEXIT},
    {IDC_CBCR_LIMIT, IDC_CBCR_LIMIT},
    {IDC_CBCR_EDIT, IDC_CBCR_EDIT},
    {IDC_CBCR_SPIN, IDC_CBCR_EDIT},
    {IDC_FURIGANA, IDC_FURIGANA},
    {IDC_READING_SOURCE_COMBO, IDC_READING_SOURCE_COMBO},
};

// A number edit with its up-down control.
struct NumberField {
    int edit;
    int spin;
    int maxDigits;
    int lowest;
    int highest;
};
constexpr NumberField kMaxLineField = {IDC_MAXLINE_EDIT, IDC_MAXLINE_SPIN, 2, 1, 99};
constexpr NumberField kMaxCandiField = {IDC_MAXCANDI_EDIT, IDC_MAXCANDI_SPIN, 2, 1, 99};
constexpr NumberField kLimitField = {IDC_CBCR_EDIT, IDC_CBCR_SPIN, 4, 1, 9999};

// The first button of each radio group: "no change", then the two flags.
constexpr int kWidthRadios = IDC_WIDTH_NONE;
constexpr int kKanaRadios = IDC_KANA_NONE;
constexpr int kCaseRadios = IDC_CASE_NONE;

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool checked)
{
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ShowNumber(HWND dialog, const NumberField& field, std::uint32_t value)
{
    SetDlgItemInt(dialog, field.edit, value, FALSE);
    SendItem(dialog, field.edit, EM_LIMITTEXT, field.maxDigits);
    SendItem(dialog, field.spin, UDM_SETRANGE, 0, MAKELPARAM(field.highest, field.lowest));
}

// The unsigned number in an edit; 0 when it is empty or unreadable.
std::uint32_t ReadNumber(HWND dialog, int edit)
{
    return GetDlgItemInt(dialog, edit, nullptr, FALSE);
}

void ShowRadio(HWND dialog, int firstRadio, int radio)
{
    CheckRadioButton(dialog, firstRadio, firstRadio + 2, firstRadio + radio);
}

// The selected radio of a group; the first checked one counts.
int ReadRadio(HWND dialog, int firstRadio)
{
    if (IsChecked(dialog, firstRadio + 1)) return 1;
    if (IsChecked(dialog, firstRadio + 2)) return 2;
    return 0;
}

// The limit's edit and up-down are usable only while the limit is on.
void EnableLimitCount(HWND dialog, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, kLimitField.edit), enabled);
    EnableWindow(GetDlgItem(dialog, kLimitField.spin), enabled);
}

// Fills a drop-down list from consecutive string-table rows and selects one.
void ShowChoices(HWND dialog, int combo, UINT firstText, std::size_t count, int selected)
{
    const HINSTANCE instance = WindowInstance(dialog);
    for (std::size_t row = 0; row < count; ++row) {
        const std::string label = LoadResourceText(instance, firstText + static_cast<UINT>(row));
        SendItem(dialog, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
    SendItem(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(selected));
}

void ShowForm(HWND dialog, const SettingsForm& form)
{
    SendItem(dialog, IDC_ACTIVATE_HOTKEY, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_C,
             MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendItem(dialog, IDC_ACTIVATE_HOTKEY, HKM_SETHOTKEY, MAKEWORD(form.hotKey, form.hotKeyFlags));

    ShowChoices(dialog, IDC_COPYKEY_COMBO, IDS_MODIFIER_CHOICE_FIRST, kModifierChoices.size(),
                form.modifierRow);

    ShowRadio(dialog, kWidthRadios, form.widthRadio);
    ShowRadio(dialog, kKanaRadios, form.kanaRadio);
    ShowRadio(dialog, kCaseRadios, form.caseRadio);

    ShowNumber(dialog, kMaxLineField, form.maxLine);
    ShowNumber(dialog, kMaxCandiField, form.maxCandi);

    Check(dialog, IDC_SORT, form.sort);
    Check(dialog, IDC_LINENO, form.lineNo);
    Check(dialog, IDC_TOPMOST, form.topMost);
    Check(dialog, IDC_EXITONCE, form.exitOnce);
    Check(dialog, IDC_XEXIT, form.xExit);
    Check(dialog, IDC_CBCR_LIMIT, form.limitLines);

    ShowNumber(dialog, kLimitField, form.limitCount);
    EnableLimitCount(dialog, form.limitLines);
    Check(dialog, IDC_FURIGANA, form.furigana);

    ShowChoices(dialog, IDC_READING_SOURCE_COMBO, IDS_READING_SOURCE_FIRST, kReadingSourceCount,
                form.readingSourceRow);
}

SettingsForm ReadForm(HWND dialog)
{
    SettingsForm form;
    const LRESULT hotKey = SendItem(dialog, IDC_ACTIVATE_HOTKEY, HKM_GETHOTKEY);
    form.hotKey = LOBYTE(LOWORD(hotKey));
    form.hotKeyFlags = HIBYTE(LOWORD(hotKey));
    form.modifierRow = static_cast<int>(SendItem(dialog, IDC_COPYKEY_COMBO, CB_GETCURSEL));
    form.widthRadio = ReadRadio(dialog, kWidthRadios);
    form.kanaRadio = ReadRadio(dialog, kKanaRadios);
    form.caseRadio = ReadRadio(dialog, kCaseRadios);
    form.maxLine = ReadNumber(dialog, kMaxLineField.edit);
    form.maxCandi = ReadNumber(dialog, kMaxCandiField.edit);
    form.sort = IsChecked(dialog, IDC_SORT);
    form.lineNo = IsChecked(dialog, IDC_LINENO);
    form.topMost = IsChecked(dialog, IDC_TOPMOST);
    form.exitOnce = IsChecked(dialog, IDC_EXITONCE);
    form.xExit = IsChecked(dialog, IDC_XEXIT);
    form.limitCount = ReadNumber(dialog, kLimitField.edit);
    form.limitLines = IsChecked(dialog, IDC_CBCR_LIMIT);
    form.furigana = IsChecked(dialog, IDC_FURIGANA);
    form.readingSourceRow = static_cast<int>(SendItem(dialog, IDC_READING_SOURCE_COMBO, CB_GETCURSEL));
    return form;
}

}  // namespace

SettingsDialog::SettingsDialog()
{
    LoadSettingsFromRegistry(settings_);
}

int SettingsDialog::RunModal(HWND owner)
{
    if (owner == nullptr) return -1;
    errorMark_ = 0;
    const INT_PTR result =
        DialogBoxParamA(WindowInstance(owner), MAKEINTRESOURCEA(IDD_SETTINGS), owner,
                        reinterpret_cast<DLGPROC>(&SharedWindowProc), reinterpret_cast<LPARAM>(this));
    ForgetWindow();
    toolTip_ = nullptr;  // destroyed with the dialog that owned it
    return result == -1 ? 0 : static_cast<int>(result);
}

LRESULT SettingsDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_INITDIALOG:
            Initialise(window);
            return 0;  // keeps the focus on the hot-key control
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    if (AcceptInput(window)) EndDialog(window, 1);
                    break;
                case IDCANCEL:
                    EndDialog(window, 0);
                    break;
                case IDC_SETTINGS_HELP:
                    ShowHelp(kHelpContextSettings);
                    break;
                case IDC_CBCR_LIMIT:
                    EnableLimitCount(window, IsChecked(window, IDC_CBCR_LIMIT));
                    break;
                default:
                    break;
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return ColourLabel(window, message, wParam, lParam);
        default:
            return 0;
    }
}

void SettingsDialog::Initialise(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDC_ACTIVATE_HOTKEY));

    const HINSTANCE instance = WindowInstance(dialog);
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LEXIDROP));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    ShowForm(dialog, FormFromSettings(settings_));

    const std::string title =
        VersionInfo().TitleText() + LoadResourceText(instance, IDS_SETTINGS_TITLE_SUFFIX);
    SetWindowTextA(dialog, title.c_str());

    CreateToolTips(dialog);
}

void SettingsDialog::CreateToolTips(HWND dialog)
{
    const HINSTANCE instance = WindowInstance(dialog);
    toolTip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, "", TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (toolTip_ == nullptr) return;
    SendMessageA(toolTip_, TTM_SETMAXTIPWIDTH, 0, kToolTipWidth);
    RECT margin = {1, 1, 1, 1};
    SendMessageA(toolTip_, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));

    for (const ToolTipRow& row : kToolTipTable) {
        const HWND control = GetDlgItem(dialog, row.control);
        std::string text = LoadResourceText(instance, IDS_TOOLTIP_BASE + row.textOf);
        TOOLINFOA tool = {};
        // The version-2 layout is understood by every common-controls version,
        // with or without a version-6 manifest.
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = control;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        GetWindowRect(control, &tool.rect);
        tool.hinst = instance;
        tool.lpszText = text.data();
        SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool SettingsDialog::AcceptInput(HWND dialog)
{
    errorMark_ = 0;
    const FormCheck check = CheckForm(ReadForm(dialog), settings_);
    switch (check.outcome) {
        case FormCheck::Outcome::NoModifierRow:
            return false;
        case FormCheck::Outcome::Rejected:
            RejectInput(dialog, check.error);
            return false;
        case FormCheck::Outcome::Accepted:
            break;
    }
    settings_ = check.settings;
    SaveSettingsToRegistry(settings_);
    return true;
}

void SettingsDialog::RejectInput(HWND dialog, FormError error)
{
    errorMark_ = static_cast<std::uint8_t>(error);
    // Repaint everything: the marked labels turn red, an earlier mark goes.
    InvalidateRect(dialog, nullptr, TRUE);
    const FormWarning warning = WarningFor(error);
    const std::string message = LoadResourceText(WindowInstance(dialog), warning.messageId);
    const std::string caption = VersionInfo().TitleText();
    MessageBoxA(dialog, message.c_str(), caption.c_str(), MB_ICONWARNING | MB_OK);
    SetFocus(GetDlgItem(dialog, warning.focusControl));
}

LRESULT SettingsDialog::ColourLabel(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HDC dc = reinterpret_cast<HDC>(wParam);
    const std::uint8_t mark = LabelMark(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
    if (mark != 0 && mark == errorMark_) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 0, 0));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return WindowObject::HandleMessage(window, message, wParam, lParam);
}

}  // namespace lexidrop
