// A link installed on a real rich edit 1.0 control: cursor and click rules
// with the pointer put over the text, beside it, and with Shift or Ctrl held.
#include "ui/link_control.h"

#include <richedit.h>
#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"

namespace lexidrop {
namespace {

constexpr int kLinkId = 1005;

// Counts the clicks instead of opening anything.
class RecordingLink : public LinkControl {
public:
    RecordingLink() : LinkControl("link", RGB(0, 0, 255)) {}
    LRESULT OnClick(WPARAM wParam, LPARAM) override
    {
        clicks.push_back(wParam);
        return 0;
    }
    std::vector<WPARAM> clicks;
};

// A visible parent window holding one read-only RICHEDIT control, as in the
// About dialog, with its own copy of the rich edit library.
class LinkControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = LoadLibraryA("RICHED32.DLL");
        ASSERT_NE(library_, nullptr);
        parent_ = CreateWindowExA(0, "STATIC", "links", WS_POPUP | WS_VISIBLE, 100, 100, 400, 80, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        control_ = CreateWindowExA(
            0, "RICHEDIT", "", WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 10, 10, 360, 30, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLinkId)), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(control_, nullptr);
        focus_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 45, 100, 20, parent_, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(parent_);
        SetFocus(focus_);
        ReleaseModifiers();
    }
    void TearDown() override
    {
        ReleaseModifiers();
        DestroyWindow(parent_);
        FreeLibrary(library_);
    }

    // Puts the pointer at a point of the control's client area.
    void PointAt(int x, int y)
    {
        POINT point = {x, y};
        ClientToScreen(control_, &point);
        SetCursorPos(point.x, point.y);
    }
    void PointAtText() { PointAt(2, 2); }
    void PointBesideText() { PointAt(340, 2); }

    static void SetModifier(int key, bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    static void ReleaseModifiers()
    {
        SetModifier(VK_SHIFT, false);
        SetModifier(VK_CONTROL, false);
    }

    // The cursor the control ends up with for a pointer move.
    HCURSOR CursorAfterMove()
    {
        SetCursor(nullptr);
        SendMessageA(control_, WM_SETCURSOR, reinterpret_cast<WPARAM>(control_),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
    void Press(UINT message, WPARAM keys) { SendMessageA(control_, message, keys, MAKELPARAM(2, 2)); }

    HMODULE library_ = nullptr;
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
    HWND focus_ = nullptr;
};

TEST_F(LinkControlTest, InstallNeedsTheDialogAndTheControl)
{
    RecordingLink link;
    EXPECT_FALSE(link.MeasureText());
    EXPECT_EQ(link.IsCursorOverText(), 0);
    EXPECT_EQ(link.Install(nullptr, kLinkId, IDC_HAND_LINK), 0);
    EXPECT_EQ(link.Install(parent_, kLinkId + 1, IDC_HAND_LINK), 0);
    EXPECT_EQ(link.Window(), nullptr);
    EXPECT_STREQ(link.Text(), "");

    EXPECT_EQ(link.Install(parent_, kLinkId, IDC_HAND_LINK), 1);
    EXPECT_EQ(link.Window(), control_);
    EXPECT_STREQ(link.Text(), "link");
    EXPECT_EQ(link.Cursor(), LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_LINK)));
    char text[32] = {};
    GetWindowTextA(control_, text, sizeof text);
    EXPECT_STREQ(text, "link");

    EXPECT_TRUE(link.MeasureText());
    EXPECT_EQ(link.HitRect().left, 0);
    EXPECT_EQ(link.HitRect().top, 0);
    EXPECT_GT(link.HitRect().right, 0);
    EXPECT_LT(link.HitRect().right, 340);
    EXPECT_GT(link.HitRect().bottom, 0);
}

TEST_F(LinkControlTest, HandCursorOnlyOverTheTextAndWithoutShiftOrCtrl)
{
    RecordingLink link;
    ASSERT_EQ(link.Install(parent_, kLinkId, IDC_HAND_LINK), 1);

    PointAtText();
    EXPECT_EQ(link.IsCursorOverText(), 1);
    EXPECT_EQ(CursorAfterMove(), link.Cursor());

    PointBesideText();
    EXPECT_EQ(link.IsCursorOverText(), 0);
    EXPECT_NE(CursorAfterMove(), link.Cursor());

    PointAtText();
    for (int key : {VK_SHIFT, VK_CONTROL}) {
        SetModifier(key, true);
        EXPECT_NE(CursorAfterMove(), link.Cursor()) << key;
        SetModifier(key, false);
    }
    EXPECT_EQ(CursorAfterMove(), link.Cursor());
}

TEST_F(LinkControlTest, PlainPressOverTheTextClicksWithoutFocusingTheControl)
{
    RecordingLink link;
    ASSERT_EQ(link.Install(parent_, kLinkId, IDC_HAND_LINK), 1);
    PointAtText();

    Press(WM_LBUTTONDOWN, MK_LBUTTON);
    ASSERT_EQ(link.clicks.size(), 1u);
    EXPECT_EQ(link.clicks[0], static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_NE(GetFocus(), control_);

    // Releases, double-clicks, right presses and keys reach the control only.
    Press(WM_LBUTTONUP, 0);
    Press(WM_LBUTTONDBLCLK, MK_LBUTTON);
    Press(WM_RBUTTONDOWN, MK_RBUTTON);
    Press(WM_RBUTTONUP, 0);
    SendMessageA(control_, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(control_, WM_CHAR, VK_RETURN, 0);
    SendMessageA(control_, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(link.clicks.size(), 1u);
}

TEST_F(LinkControlTest, ShiftCtrlOrBesideTheTextActsOnTheControl)
{
    RecordingLink link;
    ASSERT_EQ(link.Install(parent_, kLinkId, IDC_HAND_LINK), 1);

    PointAtText();
    Press(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT);
    Press(WM_LBUTTONUP, MK_SHIFT);
    Press(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL);
    Press(WM_LBUTTONUP, MK_CONTROL);
    EXPECT_TRUE(link.clicks.empty());
    EXPECT_EQ(GetFocus(), control_);  // the control took the press itself

    SetFocus(focus_);
    PointBesideText();
    Press(WM_LBUTTONDOWN, MK_LBUTTON);
    Press(WM_LBUTTONUP, 0);
    EXPECT_TRUE(link.clicks.empty());
    EXPECT_EQ(GetFocus(), control_);
}

TEST_F(LinkControlTest, MissingCursorResourceKeepsTheControlsCursorButStillClicks)
{
    RecordingLink link;
    ASSERT_EQ(link.Install(parent_, kLinkId, 9999), 1);
    EXPECT_EQ(link.Cursor(), nullptr);
    PointAtText();
    const HCURSOR marker = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
    SetCursor(marker);
    SendMessageA(control_, WM_SETCURSOR, reinterpret_cast<WPARAM>(control_),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), nullptr);
    Press(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(link.clicks.size(), 1u);
}

}  // namespace
}  // namespace lexidrop
