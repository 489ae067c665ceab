// The settings dialog as the user meets it: resource 136 run modally over an
// owner window, its controls set by messages from inside the dialog's own
// message loop, OK, Cancel and the close box pressed, the registry read back.
#include "ui/settings_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "res/dialog_ids.h"
#include "services/registry_key.h"

namespace lexidrop {
namespace {

using testing::DialogScript;
using testing::FindMessageBox;
using testing::ItemText;
using testing::MessageBoxText;
using testing::OwnerWindow;
using testing::PostClick;
using testing::SaveScreenshot;
using testing::WindowText;

const char* const kPath = "Software\\Tessaloon\\Lexidrop";

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kPath); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kPath); }

    static void Store(const char* name, DWORD value)
    {
        RegistryKey key(kSettingsKeyName);
        key.WriteDword(name, value);
    }
    // The stored value, or `missing` when there is none.
    static std::uint32_t Stored(const char* name, std::uint32_t missing = 0xDEADBEEF)
    {
        RegistryKey key(kSettingsKeyName);
        std::uint32_t value = 0;
        key.ReadDword(name, value, missing);
        return value;
    }

    // Runs the dialog over a fresh owner with the given steps; the steps see
    // the dialog window through `dialog`.
    int Run(SettingsDialog& settings, std::vector<DialogScript::Step> steps)
    {
        OwnerWindow owner;
        DialogScript script(std::move(steps));
        const int result = script.Play([&] { return settings.RunModal(owner.Get()); });
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(script.TimedOut());
        return result;
    }

    static void SetHotKey(HWND dialog, BYTE key, BYTE flags)
    {
        SendDlgItemMessageA(dialog, IDC_ACTIVATE_HOTKEY, HKM_SETHOTKEY, MAKEWORD(key, flags), 0);
    }
    static void SetText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }
    static void Check(HWND dialog, int id, bool on)
    {
        CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
    }
    static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

    // The text colour the dialog gives a label, as it paints it.
    static COLORREF LabelColour(HWND dialog, int id)
    {
        const HWND label = GetDlgItem(dialog, id);
        HDC dc = GetDC(label);
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(label));
        const COLORREF colour = GetTextColor(dc);
        ReleaseDC(label, dc);
        return colour;
    }
    static bool IsRed(HWND dialog, int id) { return LabelColour(dialog, id) == RGB(255, 0, 0); }
};

TEST_F(SettingsDialogTest, ShowsTheDefaultsWithTitleChoicesAndTooltips)
{
    SettingsDialog settings;
    std::uint32_t toolCount = 0;
    const int result = Run(
        settings,
        {[&] {
             const HWND dialog = settings.Window();
             EXPECT_EQ(WindowText(dialog), "Lexidrop Version1.08の設定");
             EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ACTIVATE_HOTKEY));
             EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ACTIVATE_HOTKEY, HKM_GETHOTKEY, 0, 0), 0);

             const HWND combo = GetDlgItem(dialog, IDC_COPYKEY_COMBO);
             EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 6);
             EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
             const char* const labels[] = {"なし",
                                           "Alt + 数字",
                                           "Ctrl + Shift + 数字",
                                           "Shift + Alt + 数字",
                                           "Ctrl + Alt + 数字",
                                           "Ctrl + Shift + Alt + 数字"};
             for (int row = 0; row < 6; ++row) {
                 char text[64] = {};
                 SendMessageA(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
                 EXPECT_EQ(std::string(text), labels[row]);
             }

             EXPECT_TRUE(Checked(dialog, IDC_WIDTH_NONE));
             EXPECT_TRUE(Checked(dialog, IDC_KANA_NONE));
             EXPECT_TRUE(Checked(dialog, IDC_CASE_NONE));
             EXPECT_EQ(ItemText(dialog, IDC_MAXLINE_EDIT), "5");
             EXPECT_EQ(ItemText(dialog, IDC_MAXCANDI_EDIT), "20");
             EXPECT_EQ(ItemText(dialog, IDC_CBCR_EDIT), "1");
             EXPECT_FALSE(Checked(dialog, IDC_SORT));
             EXPECT_TRUE(Checked(dialog, IDC_LINENO));
             EXPECT_TRUE(Checked(dialog, IDC_TOPMOST));
             EXPECT_FALSE(Checked(dialog, IDC_EXITONCE));
             EXPECT_FALSE(Checked(dialog, IDC_XEXIT));
             EXPECT_TRUE(Checked(dialog, IDC_CBCR_LIMIT));
             EXPECT_FALSE(Checked(dialog, IDC_FURIGANA));
             EXPECT_TRUE(Enabled(dialog, IDC_CBCR_EDIT));
             EXPECT_TRUE(Enabled(dialog, IDC_CBCR_SPIN));
             EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_READING_SOURCE_COMBO, CB_GETCOUNT, 0, 0), 3);
             EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_READING_SOURCE_COMBO, CB_GETCURSEL, 0, 0), 1);

             // The up-downs are attached to their edits with the given ranges.
             EXPECT_EQ(
                 reinterpret_cast<HWND>(SendDlgItemMessageA(dialog, IDC_MAXLINE_SPIN, UDM_GETBUDDY, 0, 0)),
                 GetDlgItem(dialog, IDC_MAXLINE_EDIT));
             EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_CBCR_SPIN, UDM_GETRANGE, 0, 0), MAKELONG(9999, 1));

             const HWND tip = settings.ToolTip();
             EXPECT_NE(tip, nullptr);
             EXPECT_EQ(GetParent(tip) == dialog || GetWindow(tip, GW_OWNER) == dialog, true);
             toolCount = static_cast<std::uint32_t>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
             EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 640);
             return true;
         },
         [&] {
             SaveScreenshot(settings.Window(), "settings");
             PostClick(settings.Window(), IDCANCEL);
             return true;
         }});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(toolCount, 25u);  // every input control, the reading source list and furigana included
    EXPECT_EQ(settings.ToolTip(), nullptr);
    EXPECT_EQ(settings.Window(), nullptr);
}

TEST_F(SettingsDialogTest, TooltipsCarryTheirControlsTextsAndUpDownsShareTheirEdits)
{
    SettingsDialog settings;
    Run(settings, {[&] {
            const HWND dialog = settings.Window();
            const HWND tip = settings.ToolTip();
            auto textOf = [&](int id) {
                char text[512] = {};
                TOOLINFOA tool = {};
                tool.cbSize = TTTOOLINFOA_V2_SIZE;
                tool.hwnd = GetDlgItem(dialog, id);
                tool.uId = reinterpret_cast<UINT_PTR>(tool.hwnd);
                tool.lpszText = text;
                SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
                return std::string(text);
            };
            EXPECT_EQ(textOf(IDC_ACTIVATE_HOTKEY),
                      "指定したショートカットキーでメインウィンドウを\nアクティブにすることができます。");
            EXPECT_EQ(textOf(IDC_TOPMOST), "メインウィンドウが最前面表示になります。");
            // The control hands out the first 80 bytes of a text.
            EXPECT_EQ(textOf(IDC_FURIGANA).rfind("コピーした文字列の漢字に読み仮名を付けた行を", 0), 0u);
            EXPECT_EQ(textOf(IDC_MAXLINE_SPIN), textOf(IDC_MAXLINE_EDIT));
            EXPECT_EQ(textOf(IDC_MAXCANDI_SPIN), textOf(IDC_MAXCANDI_EDIT));
            EXPECT_EQ(textOf(IDC_CBCR_SPIN), textOf(IDC_CBCR_EDIT));
            EXPECT_NE(textOf(IDC_CBCR_EDIT).find("1～9999"), std::string::npos);
            EXPECT_NE(textOf(IDC_CBCR_LIMIT), textOf(IDC_CBCR_EDIT));
            // Labels and buttons have no tooltip.
            EXPECT_EQ(textOf(IDC_MAXLINE_LABEL), "");
            PostClick(dialog, IDCANCEL);
            return true;
        }});
}

TEST_F(SettingsDialogTest, OkSavesEveryControlToTheRecordAndTheRegistry)
{
    SettingsDialog settings;
    const int result =
        Run(settings, {[&] {
                const HWND dialog = settings.Window();
                SetHotKey(dialog, 'Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
                SendDlgItemMessageA(dialog, IDC_COPYKEY_COMBO, CB_SETCURSEL, 3, 0);  // Shift + Alt
                CheckRadioButton(dialog, IDC_WIDTH_NONE, IDC_WIDTH_FULL, IDC_WIDTH_FULL);
                CheckRadioButton(dialog, IDC_KANA_NONE, IDC_KANA_KATAKANA, IDC_KANA_HIRAGANA);
                CheckRadioButton(dialog, IDC_CASE_NONE, IDC_CASE_UPPER, IDC_CASE_LOWER);
                SetText(dialog, IDC_MAXLINE_EDIT, "12");
                SetText(dialog, IDC_MAXCANDI_EDIT, "99");
                Check(dialog, IDC_SORT, true);
                Check(dialog, IDC_LINENO, false);
                Check(dialog, IDC_TOPMOST, false);
                Check(dialog, IDC_EXITONCE, true);
                Check(dialog, IDC_XEXIT, true);
                SetText(dialog, IDC_CBCR_EDIT, "9999");
                SendDlgItemMessageA(dialog, IDC_READING_SOURCE_COMBO, CB_SETCURSEL, 2, 0);
                Check(dialog, IDC_FURIGANA, true);
                PostClick(dialog, IDOK);
                return true;
            }});
    EXPECT_EQ(result, 1);

    const Settings& s = settings.Values();
    EXPECT_EQ(s.ActVKey, static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(s.ActMod, static_cast<std::uint32_t>(MOD_CONTROL | MOD_SHIFT));
    EXPECT_EQ(s.SetClipMod, static_cast<std::uint32_t>(MOD_SHIFT | MOD_ALT));
    EXPECT_EQ(s.LCMWidth, static_cast<std::uint32_t>(LCMAP_FULLWIDTH));
    EXPECT_EQ(s.LCMKana, static_cast<std::uint32_t>(LCMAP_HIRAGANA));
    EXPECT_EQ(s.LCMCase, static_cast<std::uint32_t>(LCMAP_LOWERCASE));
    EXPECT_EQ(s.MaxLine, 12u);
    EXPECT_EQ(s.MaxCandi, 99u);

    const struct {
        const char* name;
        std::uint32_t value;
    } expected[] = {
        {"ActVKey", 'Q'},
        {"ActMod", MOD_CONTROL | MOD_SHIFT},
        {"SetClipMod", MOD_SHIFT | MOD_ALT},
        {"LCMWidth", LCMAP_FULLWIDTH},
        {"LCMKana", LCMAP_HIRAGANA},
        {"LCMCase", LCMAP_LOWERCASE},
        {"MaxLine", 12},
        {"MaxCandi", 99},
        {"Sort", 1},
        {"LineNo", 0},
        {"TopMost", 0},
        {"ExitOnce", 1},
        {"XExit", 1},
        {"CBCRLimit", 1},
        {"CBCRLines", 9999},
        {"ReadingSource", 2},
        {"Furigana", 1},
    };
    for (const auto& value : expected) {
        EXPECT_EQ(Stored(value.name), value.value) << value.name;
    }
}

TEST_F(SettingsDialogTest, StoredValuesOutsideTheChoicesAreShownAndTidiedByOk)
{
    Store("MaxLine", 150);
    Store("SetClipMod", MOD_CONTROL);  // not one of the offered choices
    Store("LCMWidth", LCMAP_HALFWIDTH | LCMAP_FULLWIDTH);
    Store("LCMKana", LCMAP_KATAKANA);
    Store("LCMCase", LCMAP_UPPERCASE);
    Store("ActVKey", VK_F8);
    Store("ActMod", MOD_ALT);
    Store("CBCRLimit", 0);
    Store("CBCRLines", 0);
    SettingsDialog settings;
    const int result =
        Run(settings, {[&] {
                const HWND dialog = settings.Window();
                EXPECT_EQ(ItemText(dialog, IDC_MAXLINE_EDIT), "150");
                EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_COPYKEY_COMBO, CB_GETCURSEL, 0, 0), 0);
                EXPECT_TRUE(Checked(dialog, IDC_WIDTH_HALF));
                EXPECT_FALSE(Checked(dialog, IDC_WIDTH_FULL));
                EXPECT_TRUE(Checked(dialog, IDC_KANA_KATAKANA));
                EXPECT_TRUE(Checked(dialog, IDC_CASE_UPPER));
                EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ACTIVATE_HOTKEY, HKM_GETHOTKEY, 0, 0),
                          MAKEWORD(VK_F8, HOTKEYF_ALT));
                EXPECT_FALSE(Checked(dialog, IDC_CBCR_LIMIT));
                EXPECT_EQ(ItemText(dialog, IDC_CBCR_EDIT), "0");
                EXPECT_FALSE(Enabled(dialog, IDC_CBCR_EDIT));
                EXPECT_FALSE(Enabled(dialog, IDC_CBCR_SPIN));
                PostClick(dialog, IDOK);
                return true;
            }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Stored("MaxLine"), 150u);
    EXPECT_EQ(Stored("SetClipMod"), 0u);
    EXPECT_EQ(Stored("LCMWidth"), static_cast<std::uint32_t>(LCMAP_HALFWIDTH));
    EXPECT_EQ(Stored("ActVKey"), static_cast<std::uint32_t>(VK_F8));
    EXPECT_EQ(Stored("ActMod"), static_cast<std::uint32_t>(MOD_ALT));
    EXPECT_EQ(Stored("CBCRLimit"), 0u);
    EXPECT_EQ(Stored("CBCRLines"), 0u);
}

TEST_F(SettingsDialogTest, LimitCheckBoxSwitchesItsLineCountOnAndOff)
{
    SettingsDialog settings;
    Run(settings, {[&] {
            const HWND dialog = settings.Window();
            SendDlgItemMessageA(dialog, IDC_CBCR_LIMIT, BM_CLICK, 0, 0);
            EXPECT_FALSE(Checked(dialog, IDC_CBCR_LIMIT));
            EXPECT_FALSE(Enabled(dialog, IDC_CBCR_EDIT));
            EXPECT_FALSE(Enabled(dialog, IDC_CBCR_SPIN));
            SendDlgItemMessageA(dialog, IDC_CBCR_LIMIT, BM_CLICK, 0, 0);
            EXPECT_TRUE(Enabled(dialog, IDC_CBCR_EDIT));
            EXPECT_TRUE(Enabled(dialog, IDC_CBCR_SPIN));
            PostClick(dialog, IDCANCEL);
            return true;
        }});
}

// Each invalid input in turn: the warning, the red label (and only it), the
// focus on the field, the dialog still open and nothing saved; the corrected
// input then closes the dialog.
TEST_F(SettingsDialogTest, InvalidInputsAreReportedOneAtATimeUntilCorrected)
{
    SettingsDialog settings;
    HWND dialog = nullptr;
    HWND box = nullptr;
    std::string title;

    auto expectWarning = [&](const char* text) {
        return [&, text] {
            box = FindMessageBox(dialog);
            if (box == nullptr) return false;
            EXPECT_EQ(MessageBoxText(box), text);
            EXPECT_EQ(WindowText(box), "Lexidrop Version1.08");
            EXPECT_TRUE(IsWindow(dialog));
            return true;
        };
    };
    auto closeWarning = [&] {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
    };
    auto expectMarked = [&](std::uint8_t mark, int focus, std::vector<int> redLabels) {
        return [&, mark, focus, redLabels] {
            if (FindMessageBox(dialog) != nullptr) return false;
            EXPECT_EQ(settings.ErrorMark(), mark);
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, focus));
            for (int label : {IDC_ACTIVATE_LABEL, IDC_COPYKEY_LABEL, IDC_MAXLINE_LABEL, IDC_MAXCANDI_LABEL,
                              IDC_CBCR_LABEL}) {
                const bool red = std::find(redLabels.begin(), redLabels.end(), label) != redLabels.end();
                EXPECT_EQ(IsRed(dialog, label), red) << "label " << label << " mark " << int(mark);
            }
            EXPECT_EQ(Stored("MaxLine"), 0xDEADBEEFu);  // nothing saved yet
            return true;
        };
    };

    const int result = Run(
        settings,
        {
            [&] {
                dialog = settings.Window();
                title = WindowText(dialog);
                // Alt+5 as activation key with "Alt + digit" copy keys, and a
                // zero line count: the key clash is reported first.
                SetHotKey(dialog, '5', HOTKEYF_ALT);
                SendDlgItemMessageA(dialog, IDC_COPYKEY_COMBO, CB_SETCURSEL, 1, 0);
                SetText(dialog, IDC_MAXLINE_EDIT, "");
                PostClick(dialog, IDOK);
                return true;
            },
            expectWarning("「アクティブ化」 と\n「○行目をクリップボードへ」には\n同じキーを設定できません。"),
            [&] {
                SaveScreenshot(dialog, "settings-warning");
                SaveScreenshot(box, "settings-warning-box");
                return closeWarning();
            },
            expectMarked(1, IDC_ACTIVATE_HOTKEY, {IDC_ACTIVATE_LABEL, IDC_COPYKEY_LABEL}),
            [&] {
                SaveScreenshot(dialog, "settings-red-label");
                SetHotKey(dialog, '5', HOTKEYF_CONTROL | HOTKEYF_ALT);
                PostClick(dialog, IDOK);
                return true;
            },
            expectWarning("「最大表示行数」を0にすることはできません。"),
            closeWarning,
            expectMarked(2, IDC_MAXLINE_EDIT, {IDC_MAXLINE_LABEL}),
            [&] {
                SetText(dialog, IDC_MAXLINE_EDIT, "7");
                SetText(dialog, IDC_MAXCANDI_EDIT, "0");
                PostClick(dialog, IDOK);
                return true;
            },
            expectWarning("「最大候補数」を0にすることはできません。"),
            closeWarning,
            expectMarked(3, IDC_MAXCANDI_EDIT, {IDC_MAXCANDI_LABEL}),
            [&] {
                SetText(dialog, IDC_MAXCANDI_EDIT, "3");
                SetText(dialog, IDC_CBCR_EDIT, "");
                PostClick(dialog, IDOK);
                return true;
            },
            expectWarning("「クリップボード制限行数」を0にすることはできません。"),
            closeWarning,
            expectMarked(4, IDC_CBCR_EDIT, {IDC_CBCR_LABEL}),
            [&] {
                SetText(dialog, IDC_CBCR_EDIT, "2");
                PostClick(dialog, IDOK);
                return true;
            },
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(title, "Lexidrop Version1.08の設定");
    EXPECT_EQ(Stored("ActVKey"), static_cast<std::uint32_t>('5'));
    EXPECT_EQ(Stored("ActMod"), static_cast<std::uint32_t>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(Stored("SetClipMod"), static_cast<std::uint32_t>(MOD_ALT));
    EXPECT_EQ(Stored("MaxLine"), 7u);
    EXPECT_EQ(Stored("MaxCandi"), 3u);
    EXPECT_EQ(Stored("CBCRLines"), 2u);
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxChangeNothing)
{
    Store("MaxLine", 9);
    SettingsDialog settings;
    const Settings before = settings.Values();
    auto changeEverything = [&](HWND dialog) {
        SetHotKey(dialog, 'W', HOTKEYF_ALT);
        SendDlgItemMessageA(dialog, IDC_COPYKEY_COMBO, CB_SETCURSEL, 5, 0);
        SetText(dialog, IDC_MAXLINE_EDIT, "33");
        Check(dialog, IDC_SORT, true);
    };
    const struct {
        const char* how;
        void (*close)(HWND);
    } ways[] = {
        {"cancel button", [](HWND d) { PostClick(d, IDCANCEL); }},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        const int result = Run(settings, {[&] {
                                   changeEverything(settings.Window());
                                   way.close(settings.Window());
                                   return true;
                               }});
        EXPECT_EQ(result, 0) << way.how;
        EXPECT_EQ(settings.Values().MaxLine, before.MaxLine) << way.how;
        EXPECT_EQ(settings.Values().Sort, before.Sort) << way.how;
        EXPECT_EQ(settings.Values().ActVKey, before.ActVKey) << way.how;
        EXPECT_EQ(Stored("MaxLine"), 9u) << way.how;
        EXPECT_EQ(Stored("Sort"), 0xDEADBEEFu) << way.how;
    }
}

TEST_F(SettingsDialogTest, EscapeKeyClosesLikeCancel)
{
    SettingsDialog settings;
    const int result =
        Run(settings, {[&] {
                const HWND dialog = settings.Window();
                SetText(dialog, IDC_MAXLINE_EDIT, "44");
                // The key itself, through the dialog manager's keyboard handling.
                PostMessageA(GetDlgItem(dialog, IDC_ACTIVATE_HOTKEY), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                return true;
            }});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Stored("MaxLine"), 0xDEADBEEFu);
}

TEST_F(SettingsDialogTest, NullOwnerShowsNothing)
{
    SettingsDialog settings;
    EXPECT_EQ(settings.RunModal(nullptr), -1);
    EXPECT_EQ(settings.Window(), nullptr);
}

}  // namespace
}  // namespace lexidrop
