// The tray icon against the shell of the Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "ui/tray_icon.h"
#include "res/resource.h"

namespace lexidrop {
namespace {

constexpr UINT kCallback = WM_APP + 10;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    HWND window_ = nullptr;
};

TEST_F(TrayIconTest, ConstructedIconIsNotShownAndCannotBeAdded)
{
    TrayIcon icon;
    EXPECT_NE(icon.TaskbarCreatedMessage(), 0u);
    EXPECT_EQ(icon.TaskbarCreatedMessage(), RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_EQ(icon.GetState(), TrayIcon::kConstructed);
    EXPECT_EQ(icon.Data().uID, 1u);
    EXPECT_EQ(icon.Data().uCallbackMessage, static_cast<UINT>(WM_APP));
    EXPECT_EQ(icon.AddOrModify(), 0);
}

TEST_F(TrayIconTest, PreparedIconIsAddedModifiedAndRemovedAtDestruction)
{
    NOTIFYICONDATAA shown{};
    {
        TrayIcon icon;
        icon.Prepare(kCallback, window_, "Lexidrop Version1.08", IDI_LEXIDROP, IDI_TRAY_W2K);
        EXPECT_EQ(icon.GetState(), TrayIcon::kPrepared);
        EXPECT_EQ(icon.Data().hWnd, window_);
        EXPECT_EQ(icon.Data().uCallbackMessage, kCallback);
        EXPECT_STREQ(icon.Data().szTip, "Lexidrop Version1.08");
        // Not Windows 2000: the application icon of the module, at the small-icon size.
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Data().hIcon, &info));
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXSMICON));

        ASSERT_EQ(icon.AddOrModify(), 1);
        EXPECT_EQ(icon.GetState(), TrayIcon::kShown);
        EXPECT_EQ(icon.AddOrModify(), 1);  // now a modification
        std::memcpy(&shown, &icon.Data(), sizeof shown);

        // Preparing again takes the icon away until the next add.
        icon.Prepare(kCallback, window_, "again", IDI_LEXIDROP, IDI_TRAY_W2K);
        EXPECT_EQ(icon.GetState(), TrayIcon::kPrepared);
        EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &shown));
        ASSERT_EQ(icon.AddOrModify(), 1);
        EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &shown));
    }
    // The destructor removed it.
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &shown));
}

TEST_F(TrayIconTest, PrepareWithoutWindowKeepsTheIconAndNullTipIsEmpty)
{
    TrayIcon icon;
    const HICON before = icon.Data().hIcon;
    icon.Prepare(kCallback, nullptr, nullptr, IDI_LEXIDROP, IDI_TRAY_W2K);
    EXPECT_EQ(icon.GetState(), TrayIcon::kPrepared);
    EXPECT_EQ(icon.Data().hIcon, before);
    EXPECT_STREQ(icon.Data().szTip, "");
}

TEST_F(TrayIconTest, LongTipIsCutToTheBufferOnAWholeCharacter)
{
    std::string kana;
    for (int i = 0; i < 40; ++i) {
        kana += "あ";  // two bytes each in Shift-JIS
    }
    TrayIcon icon;
    icon.Prepare(kCallback, window_, kana.c_str(), IDI_LEXIDROP, 0);
    EXPECT_EQ(std::strlen(icon.Data().szTip), 62u);
    EXPECT_EQ(std::string(icon.Data().szTip), kana.substr(0, 62));

    const std::string shifted = "a" + kana;
    icon.Prepare(kCallback, window_, shifted.c_str(), IDI_LEXIDROP, 0);
    EXPECT_EQ(std::string(icon.Data().szTip), shifted.substr(0, 63));

    const std::string ascii(100, 'x');
    icon.Prepare(kCallback, window_, ascii.c_str(), IDI_LEXIDROP, 0);
    EXPECT_EQ(std::string(icon.Data().szTip), ascii.substr(0, 63));
}

}  // namespace
}  // namespace lexidrop
