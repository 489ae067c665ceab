// The system-menu edits and the tray popup on real menus.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/menus.h"
#include "win32/window_object.h"
#include "res/resource.h"

namespace lexidrop {
namespace {

constexpr char kClass[] = "LexidropMenusTestClass";

struct Item {
    UINT id;
    UINT type;
    UINT state;
    std::string text;
};

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({info.wID, info.fType, info.fState, (info.fType & MFT_SEPARATOR) ? "" : text});
    }
    return items;
}

bool HasCommand(HMENU menu, UINT command)
{
    for (const Item& item : Items(menu)) {
        if (item.id == command && !(item.type & MFT_SEPARATOR)) {
            return true;
        }
    }
    return false;
}

// Owner of the popup: reads the popup as it is shown, then closes it.
class PopupOwner : public WindowObject {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP) {
            seen = Items(reinterpret_cast<HMENU>(wParam));
            PostMessageA(window, WM_CANCELMODE, 0, 0);
            EndMenu();
        }
        if (message == WM_NULL) {
            ++nullMessages;
        }
        return WindowObject::HandleMessage(window, message, wParam, lParam);
    }
    std::vector<Item> seen;
    int nullMessages = 0;
};

class MenusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = SharedWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassExA(&wc);
    }
    void SetUp() override
    {
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "menus", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                  0, 0, 160, 100, nullptr, nullptr, GetModuleHandleA(nullptr), &owner_);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    HMENU SystemMenu() const { return GetSystemMenu(window_, FALSE); }

    PopupOwner owner_;
    HWND window_ = nullptr;
};

TEST_F(MenusTest, SystemMenuGetsOwnCommandsOnTopAndNoSizeBoxes)
{
    SetupSystemMenu(window_, 0);
    const std::vector<Item> items = Items(SystemMenu());
    ASSERT_GE(items.size(), 6u);
    EXPECT_EQ(items[0].id, static_cast<UINT>(IDM_HELP));
    EXPECT_EQ(items[0].text, "ヘルプ(&H)");
    EXPECT_EQ(items[1].id, static_cast<UINT>(IDM_SETTINGS));
    EXPECT_EQ(items[1].text, "設定(&C)");
    EXPECT_EQ(items[2].id, static_cast<UINT>(IDM_ABOUT));
    EXPECT_EQ(items[2].text, "バージョン情報(&A)");
    EXPECT_TRUE(items[3].type & MFT_SEPARATOR);
    EXPECT_FALSE(HasCommand(SystemMenu(), SC_RESTORE));
    EXPECT_FALSE(HasCommand(SystemMenu(), SC_MINIMIZE));
    EXPECT_FALSE(HasCommand(SystemMenu(), SC_MAXIMIZE));
    EXPECT_TRUE(HasCommand(SystemMenu(), SC_MOVE));  // the platform's other items stay
}

TEST_F(MenusTest, CloseItemsFollowXExitAndAreRebuiltInPlace)
{
    SetupSystemMenu(window_, 0);
    std::vector<Item> items = Items(SystemMenu());
    const size_t count = items.size();
    EXPECT_EQ(items[count - 2].id, static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(items[count - 2].text, "非表示にする(&D)\tAlt+F4");
    EXPECT_EQ(items[count - 1].id, static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(items[count - 1].text, "終了(&X)");

    UpdateCloseItems(window_, 1);
    items = Items(SystemMenu());
    ASSERT_EQ(items.size(), count);
    EXPECT_EQ(items[count - 2].id, static_cast<UINT>(IDM_HIDE));
    EXPECT_EQ(items[count - 2].text, "非表示にする(&D)");
    EXPECT_EQ(items[count - 1].id, static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(items[count - 1].text, "終了(&X)\tAlt+F4");

    UpdateCloseItems(window_, 0);
    items = Items(SystemMenu());
    ASSERT_EQ(items.size(), count);
    EXPECT_EQ(items[count - 2].id, static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(items[count - 1].id, static_cast<UINT>(IDM_EXIT));
}

TEST_F(MenusTest, SettingsAndAboutAreGreyedOnlyWhileADialogRuns)
{
    SetupSystemMenu(window_, 0);
    UpdateMenuStates(SystemMenu(), 1);
    EXPECT_EQ(GetMenuState(SystemMenu(), IDM_SETTINGS, MF_BYCOMMAND) & MFS_GRAYED,
              static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(GetMenuState(SystemMenu(), IDM_ABOUT, MF_BYCOMMAND) & MFS_GRAYED,
              static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(GetMenuState(SystemMenu(), IDM_HELP, MF_BYCOMMAND) & MFS_GRAYED, 0u);
    UpdateMenuStates(SystemMenu(), 0);
    EXPECT_EQ(GetMenuState(SystemMenu(), IDM_SETTINGS, MF_BYCOMMAND) & MFS_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(SystemMenu(), IDM_ABOUT, MF_BYCOMMAND) & MFS_GRAYED, 0u);

    // A menu without these items is left alone.
    HMENU empty = CreatePopupMenu();
    UpdateMenuStates(empty, 1);
    EXPECT_EQ(GetMenuItemCount(empty), 0);
    DestroyMenu(empty);
}

TEST_F(MenusTest, TrayPopupOffersShowWhileHiddenAndHideWhileVisible)
{
    ShowTrayMenu(window_, 0);
    ASSERT_EQ(owner_.seen.size(), 5u);
    EXPECT_EQ(owner_.seen[0].text, "ヘルプ(&H)");
    EXPECT_EQ(owner_.seen[0].id, static_cast<UINT>(IDM_HELP));
    EXPECT_EQ(owner_.seen[1].text, "設定(&C)");
    EXPECT_EQ(owner_.seen[1].id, static_cast<UINT>(IDM_SETTINGS));
    EXPECT_EQ(owner_.seen[2].text, "バージョン情報(&A)");
    EXPECT_EQ(owner_.seen[2].id, static_cast<UINT>(IDM_ABOUT));
    EXPECT_EQ(owner_.seen[3].text, "表示する(&D)");
    EXPECT_EQ(owner_.seen[3].id, static_cast<UINT>(IDM_SHOW));
    EXPECT_EQ(owner_.seen[4].text, "終了(&X)");
    EXPECT_EQ(owner_.seen[4].id, static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(owner_.nullMessages, 1);

    ShowWindow(window_, SW_SHOW);
    owner_.seen.clear();
    ShowTrayMenu(window_, 1);
    ASSERT_EQ(owner_.seen.size(), 5u);
    EXPECT_EQ(owner_.seen[3].text, "非表示にする(&D)");
    EXPECT_EQ(owner_.seen[3].id, static_cast<UINT>(IDM_HIDE));
    EXPECT_EQ(owner_.seen[3].state & MFS_GRAYED, 0u);
    EXPECT_EQ(owner_.seen[1].state & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(owner_.seen[2].state & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(owner_.seen[0].state & MFS_GRAYED, 0u);
}

}  // namespace
}  // namespace lexidrop
