// The About dialog run modally over an owner window: texts, links, the fade
// of the two lines, the ways to close it and the rich edit library's lifetime.
#include "ui/about_dialog.h"

#include <richedit.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/fade_colour.h"
#include "dialog_script.h"
#include "res/dialog_ids.h"

namespace lexidrop {
namespace {

using testing::DialogScript;
using testing::ItemText;
using testing::OwnerWindow;
using testing::PostClick;
using testing::SaveScreenshot;
using testing::WindowText;

bool RichEditLoaded()
{
    return GetModuleHandleA("RICHED32.DLL") != nullptr;
}

// The colour and result the dialog gives a static control as it paints it.
struct Painted {
    COLORREF colour;
    int backgroundMode;
    LRESULT result;
};

Painted PaintedColour(HWND dialog, HWND control)
{
    HDC dc = GetDC(control);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    const LRESULT result = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    const int mode = GetBkMode(dc);
    ReleaseDC(control, dc);
    return {colour, mode, result};
}

CHARFORMATA CharFormat(HWND control)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

// A control without an id of its own (the "URL" label).
HWND UrlLabel(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowText(child) == "URL") return child;
    }
    return nullptr;
}

COLORREF FaceColour()
{
    return GetSysColor(COLOR_BTNFACE);
}
COLORREF TextColour()
{
    return GetSysColor(COLOR_WINDOWTEXT);
}

TEST(AboutDialog, ShowsTheVersionTheLinksAndFadesTheLinesInOneAfterTheOther)
{
    OwnerWindow owner;
    // Two showings: the second loads the rich edit library again and behaves
    // like the first.
    for (int showing = 0; showing < 2; ++showing) {
        AboutDialog about;
        bool copyrightStartedEarly = false;
        bool colourFollowedTheStep = true;
        DialogScript script({
            [&] {
                const HWND dialog = about.Window();
                EXPECT_TRUE(RichEditLoaded());
                EXPECT_EQ(WindowText(dialog), "Lexidropのバージョン情報");
                EXPECT_EQ(ItemText(dialog, IDC_VERSION_LINE), "Lexidrop Version1.08");
                EXPECT_EQ(ItemText(dialog, IDC_COPYRIGHT_LINE), "Copyright (C) 2026 Tessaloon");
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
                return true;
            },
            [&] {
                // The links are installed once the posted setup message is handled.
                if (about.Url().Window() == nullptr || about.Mail().Window() == nullptr) return false;
                const HWND dialog = about.Window();
                const HWND url = GetDlgItem(dialog, IDC_URL_LINK);
                const HWND mail = GetDlgItem(dialog, IDC_MAIL_LINK);
                EXPECT_EQ(about.Url().Window(), url);
                EXPECT_EQ(about.Mail().Window(), mail);
                EXPECT_EQ(GetPropA(url, "X_PROP_NAME"), static_cast<const void*>(&about.Url()));
                EXPECT_EQ(WindowText(url), "https://tessaloon.github.io/lexidrop/");
                EXPECT_EQ(WindowText(mail), "lexidrop@tessaloon.jp");
                SendMessageA(url, EM_SETSEL, 0, -1);
                SendMessageA(mail, EM_SETSEL, 0, -1);
                const CHARFORMATA urlFormat = CharFormat(url);
                const CHARFORMATA mailFormat = CharFormat(mail);
                EXPECT_EQ(urlFormat.crTextColor, RGB(0, 0, 255));
                EXPECT_EQ(mailFormat.crTextColor, RGB(0, 128, 0));
                EXPECT_TRUE(urlFormat.dwEffects & CFE_UNDERLINE);
                EXPECT_TRUE(mailFormat.dwEffects & CFE_UNDERLINE);
                EXPECT_FALSE(urlFormat.dwEffects & CFE_AUTOCOLOR);
                EXPECT_NE(about.Url().Cursor(), nullptr);
                return true;
            },
            [&] {
                // Watch the fade until both lines are done.
                const HWND dialog = about.Window();
                const int version = about.VersionFadeStep();
                const int copyright = about.CopyrightFadeStep();
                if (copyright > 0 && version < kFadeSteps) copyrightStartedEarly = true;
                const Painted line = PaintedColour(dialog, GetDlgItem(dialog, IDC_VERSION_LINE));
                if (about.VersionFadeStep() == version &&
                    line.colour != FadeColour(FaceColour(), TextColour(), version)) {
                    colourFollowedTheStep = false;
                }
                return copyright == kFadeSteps;
            },
            [&] {
                const HWND dialog = about.Window();
                EXPECT_EQ(about.VersionFadeStep(), kFadeSteps);
                for (int id : {IDC_VERSION_LINE, IDC_COPYRIGHT_LINE}) {
                    const Painted line = PaintedColour(dialog, GetDlgItem(dialog, id));
                    EXPECT_EQ(line.colour, TextColour());
                    EXPECT_EQ(line.backgroundMode, TRANSPARENT);
                    EXPECT_EQ(line.result, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
                }
                // The other statics keep the dialog manager's colours.
                const Painted label = PaintedColour(dialog, UrlLabel(dialog));
                EXPECT_EQ(label.colour, TextColour());
                EXPECT_EQ(label.backgroundMode, OPAQUE);
                if (showing == 0) SaveScreenshot(dialog, "about");
                PostClick(dialog, IDOK);
                return true;
            },
        });
        const int result = script.Play([&] { return about.RunModal(owner.Get()); });
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(result, 1);
        EXPECT_FALSE(copyrightStartedEarly);
        EXPECT_TRUE(colourFollowedTheStep);
        EXPECT_FALSE(RichEditLoaded());
        EXPECT_EQ(about.Window(), nullptr);
    }
}

// Waits for the middle of the fade, closes the dialog in the given way and
// checks that no fade timer of the dialog fires afterwards.
void CloseMidFade(void (*close)(HWND), int expectedResult)
{
    OwnerWindow owner;
    AboutDialog about;
    HWND dialog = nullptr;
    DialogScript script({[&] {
        dialog = about.Window();
        if (about.VersionFadeStep() == 0 && about.CopyrightFadeStep() == 0) return false;
        close(dialog);
        return true;
    }});
    const int result = script.Play([&] { return about.RunModal(owner.Get()); });
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(result, expectedResult);
    EXPECT_FALSE(IsWindow(dialog));

    const int version = about.VersionFadeStep();
    const int copyright = about.CopyrightFadeStep();
    int strayTimers = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 200) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.hwnd == dialog) ++strayTimers;
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    EXPECT_EQ(strayTimers, 0);
    EXPECT_EQ(about.VersionFadeStep(), version);
    EXPECT_EQ(about.CopyrightFadeStep(), copyright);
}

TEST(AboutDialog, OkEscapeAndTheCloseBoxEndItMidFadeWithoutLeavingATimer)
{
    CloseMidFade([](HWND dialog) { PostClick(dialog, IDOK); }, IDOK);
    CloseMidFade(
        [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001); },
        IDCANCEL);
    CloseMidFade([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL);
}

TEST(AboutDialog, NullOwnerShowsNothing)
{
    AboutDialog about;
    EXPECT_EQ(about.RunModal(nullptr), -1);
    EXPECT_FALSE(RichEditLoaded());
}

}  // namespace
}  // namespace lexidrop
