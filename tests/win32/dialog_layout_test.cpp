// The dialogs' labels fit their controls with the current common controls
// and the dialog font at the system's DPI: no text is cut off.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "res/dialog_ids.h"
#include "res/resource.h"
#include "services/version_info.h"
#include "win32/scoped_win.h"

namespace lexidrop {
namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Whether the text of a label, check box, radio button or push button needs
// more room than its control gives it (wrapped onto the lines it has).
bool TextIsCut(HWND control)
{
    wchar_t text[256] = {};
    if (GetWindowTextW(control, text, 256) == 0) return false;
    const std::wstring className = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG kind = style & BS_TYPEMASK;
    if (className == L"Static" && (style & SS_TYPEMASK) == SS_ICON) return false;
    RECT client{};
    GetClientRect(control, &client);
    LONG width = client.right;
    if (className == L"Button" && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX)
        width -= GetSystemMetrics(SM_CXMENUCHECK) + 2;  // the box or circle before the text
    ScopedGetDC dc(control);
    const HGDIOBJ old =
        SelectObject(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, width, 0};
    DrawTextW(dc.Get(), text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc.Get(), old);
    return needed.right > width || needed.bottom > client.bottom;
}

TEST(DialogLayout, EveryLabelFitsItsControl)
{
    const ScopedModule richEdit(LoadLibraryA("RICHED32.DLL"));  // the About dialog's links
    const VersionInfo version;
    for (const int id : {IDD_SETTINGS, IDD_ABOUT}) {
        const HWND dialog =
            CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, PlainDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << id;
        if (id == IDD_ABOUT) {  // the texts the dialog shows in place of the template's
            SetDlgItemTextA(dialog, IDC_VERSION_LINE, version.TitleText().c_str());
            SetDlgItemTextA(dialog, IDC_COPYRIGHT_LINE, version.QueryString("LegalCopyright").c_str());
        }
        for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            const std::wstring name = ClassOf(control);
            if (name != L"Static" && name != L"Button") continue;
            EXPECT_FALSE(TextIsCut(control)) << "dialog " << id << ", control " << GetDlgCtrlID(control);
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
}  // namespace lexidrop
