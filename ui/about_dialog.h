// The About dialog (resource 103): the program's icon, its version caption
// and copyright line fading in one after the other, and two links (home page
// and e-mail address) made of rich edit controls.
#pragma once
#include <windows.h>

#include "ui/link_control.h"
#include "win32/window_object.h"

namespace lexidrop {

// Posted by the dialog to itself: install the links once the dialog is up.
inline constexpr UINT WM_SETUP_LINKS = WM_APP + 20;

class AboutDialog : public WindowObject {
public:
    AboutDialog() = default;

    // Shows the dialog modally over `owner`: 1 after OK, 2 after Escape or the
    // close box, -1 when it cannot be shown (no owner, no rich edit library,
    // no dialog). The rich edit library is loaded for this showing only.
    int RunModal(HWND owner);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // How far the two lines have faded in: 0 (invisible) to 16 (text colour).
    int VersionFadeStep() const { return versionFade_; }
    int CopyrightFadeStep() const { return copyrightFade_; }
    const UrlLink& Url() const { return url_; }
    const MailLink& Mail() const { return mail_; }

private:
    void Initialise(HWND dialog);
    void OnTimer(HWND dialog, UINT_PTR timer);
    LRESULT LineColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int versionFade_ = 0;
    int copyrightFade_ = 0;
    UrlLink url_;
    MailLink mail_;
};

}  // namespace lexidrop
