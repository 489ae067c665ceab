#include "ui/about_dialog.h"

#include <string>

#include "ui/fade_colour.h"
#include "services/version_info.h"
#include "win32/window_instance.h"
#include "win32/resource_text.h"
#include "res/dialog_ids.h"
#include "res/resource.h"
#include "win32/scoped_win.h"

namespace lexidrop {

namespace {

// The fade: timer 1 waits once, then timer 2 fades the version line in and
// timer 3 the copyright line, one step per tick.
constexpr UINT_PTR kDelayTimer = 1;
constexpr UINT_PTR kVersionTimer = 2;
constexpr UINT_PTR kCopyrightTimer = 3;
constexpr UINT kDelayMs = 300;
constexpr UINT kStepMs = 20;
// Step of the controls that do not fade: above the last step.
constexpr int kNoFade = kFadeSteps + 1;

// One step of a line's fade: repaint it, and at the end hand over to `next`
// (0 for none).
void FadeStep(HWND dialog, int& step, int control, UINT_PTR timer, UINT_PTR next)
{
    ++step;
    InvalidateRect(GetDlgItem(dialog, control), nullptr, TRUE);
    if (step >= kFadeSteps) {
        KillTimer(dialog, timer);
        if (next != 0) SetTimer(dialog, next, kStepMs, nullptr);
    }
}

}  // namespace

int AboutDialog::RunModal(HWND owner)
{
    if (owner == nullptr) return -1;
    INT_PTR result = -1;
    {
        // Registers the "RICHEDIT" window class of the two links.
        const ScopedModule richEdit(LoadLibraryA("RICHED32.DLL"));
        if (!richEdit.IsValid()) return -1;
        result =
            DialogBoxParamA(WindowInstance(owner), MAKEINTRESOURCEA(IDD_ABOUT), owner,
                            reinterpret_cast<DLGPROC>(&SharedWindowProc), reinterpret_cast<LPARAM>(this));
    }
    ForgetWindow();
    return static_cast<int>(result);
}

LRESULT AboutDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_INITDIALOG:
            Initialise(window);
            return 0;  // the focus was set explicitly
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            if (id == IDOK || id == IDCANCEL) EndDialog(window, id);
            return 0;
        }
        case WM_TIMER:
            OnTimer(window, wParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            return LineColour(window, message, wParam, lParam);
        case WM_DESTROY:
            KillTimer(window, kDelayTimer);
            KillTimer(window, kVersionTimer);
            KillTimer(window, kCopyrightTimer);
            return 0;
        case WM_SETUP_LINKS:
            if (Window() != nullptr) {
                url_.Install(Window(), IDC_URL_LINK, IDC_HAND_LINK);
                mail_.Install(Window(), IDC_MAIL_LINK, IDC_HAND_LINK);
            }
            return 0;
        default:
            return 0;
    }
}

void AboutDialog::Initialise(HWND dialog)
{
    versionFade_ = 0;
    copyrightFade_ = 0;
    SetFocus(GetDlgItem(dialog, IDOK));

    const HINSTANCE instance = WindowInstance(dialog);
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LEXIDROP));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const VersionInfo version;
    const std::string title =
        version.QueryString("ProductName") + LoadResourceText(instance, IDS_ABOUT_TITLE_SUFFIX);
    SetWindowTextA(dialog, title.c_str());
    SetDlgItemTextA(dialog, IDC_VERSION_LINE, version.TitleText().c_str());
    SetDlgItemTextA(dialog, IDC_COPYRIGHT_LINE, version.QueryString("LegalCopyright").c_str());

    SetTimer(dialog, kDelayTimer, kDelayMs, nullptr);
    PostMessageA(dialog, WM_SETUP_LINKS, 0, 0);
}

void AboutDialog::OnTimer(HWND dialog, UINT_PTR timer)
{
    switch (timer) {
        case kDelayTimer:
            KillTimer(dialog, kDelayTimer);
            SetTimer(dialog, kVersionTimer, kStepMs, nullptr);
            break;
        case kVersionTimer:
            FadeStep(dialog, versionFade_, IDC_VERSION_LINE, kVersionTimer, kCopyrightTimer);
            break;
        case kCopyrightTimer:
            FadeStep(dialog, copyrightFade_, IDC_COPYRIGHT_LINE, kCopyrightTimer, 0);
            break;
        default:
            break;
    }
}

LRESULT AboutDialog::LineColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HDC dc = reinterpret_cast<HDC>(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    const int id = control != nullptr ? GetDlgCtrlID(control) : 0;
    const int step = id == IDC_VERSION_LINE     ? versionFade_
                     : id == IDC_COPYRIGHT_LINE ? copyrightFade_
                                                : kNoFade;
    if (dc == nullptr || control == nullptr || window == nullptr || step > kFadeSteps) {
        return WindowObject::HandleMessage(window, message, wParam, lParam);
    }
    const COLORREF colour = FadeColour(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT), step);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace lexidrop
