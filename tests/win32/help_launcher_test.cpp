// The help launcher with the real HTML Help control and the built help file,
// which lies beside the test program.
#include "services/help_launcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_script.h"
#include "res/dialog_ids.h"
#include "ui/settings_dialog.h"

namespace lexidrop {
namespace {

constexpr UINT kCloseAllHelp = 0x12;  // HH_CLOSE_ALL
const char* const kUnregisteredServer = "CLSID\\{0BADC0DE-0000-4000-8000-00000000C0DE}\\InprocServer32";

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindHelpWindow()
{
    for (HWND window : ThreadWindows()) {
        if (ClassOf(window) == "HH Parent") return window;
    }
    return nullptr;
}

// Counts what the cache asks of the real registry loader.
class CountingLoader : public RegistryHelpControlLoader {
public:
    using RegistryHelpControlLoader::RegistryHelpControlLoader;
    std::optional<std::string> RegisteredPath() override
    {
        ++lookups;
        return RegistryHelpControlLoader::RegisteredPath();
    }
    void* LoadLibraryFrom(const std::string& path) override
    {
        loaded.push_back(path);
        return RegistryHelpControlLoader::LoadLibraryFrom(path);
    }
    int lookups = 0;
    std::vector<std::string> loaded;
};

class HelpLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Somewhere else than the program's folder, as after a start with the
        // session: the help file must still be found beside the program.
        GetCurrentDirectoryA(sizeof previous_, previous_);
        SetCurrentDirectoryA("C:\\");
    }
    void TearDown() override
    {
        CallHtmlHelp(nullptr, nullptr, kCloseAllHelp, 0);
        for (HWND window : ThreadWindows()) {
            if (ClassOf(window) == "HH Parent") DestroyWindow(window);
        }
        SetCurrentDirectoryA(previous_);
    }

    char previous_[MAX_PATH] = {};
    const std::string file_ = HelpFilePath();
};

TEST_F(HelpLauncherTest, HelpFileIsTheOneBesideTheProgram)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string expected(path);
    expected.erase(expected.find_last_of('\\') + 1);
    expected += "Lexidrop.chm";
    EXPECT_EQ(file_, expected);
    EXPECT_NE(GetFileAttributesA(file_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HelpLauncherTest, MainAndSettingsTopicsOpenTheHelpWindowWithoutOwner)
{
    const HWND main = ShowHelp(kHelpContextMain);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(ClassOf(main), "HH Parent");
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);

    const HWND settings = ShowHelp(kHelpContextSettings);
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsWindow(settings));

    // An id the help file does not map opens nothing.
    EXPECT_EQ(ShowHelp(77), nullptr);
}

TEST_F(HelpLauncherTest, RegisteredControlIsLoadedOnceAndReused)
{
    CountingLoader loader;
    ASSERT_TRUE(loader.RegisteredPath().has_value());
    EXPECT_NE(loader.RegisteredPath()->find("hhctrl.ocx"), std::string::npos);
    loader.lookups = 0;

    HelpControlCache cache;
    EXPECT_NE(CallHtmlHelp(cache, loader, nullptr, file_.c_str(), kHelpContextCommand, 2), nullptr);
    EXPECT_NE(CallHtmlHelp(cache, loader, nullptr, file_.c_str(), kHelpContextCommand, 14), nullptr);
    EXPECT_EQ(loader.lookups, 1);
    ASSERT_EQ(loader.loaded.size(), 1u);
    EXPECT_NE(loader.loaded[0].find("hhctrl.ocx"), std::string::npos);
    EXPECT_NE(cache.Library(), nullptr);
}

TEST_F(HelpLauncherTest, UnregisteredControlIsFoundByItsBareName)
{
    CountingLoader loader(kUnregisteredServer);
    HelpControlCache cache;
    EXPECT_NE(CallHtmlHelp(cache, loader, nullptr, file_.c_str(), kHelpContextCommand, 2), nullptr);
    EXPECT_EQ(loader.loaded, std::vector<std::string>{"hhctrl.ocx"});
    EXPECT_FALSE(cache.Disabled());
}

TEST_F(HelpLauncherTest, MissingControlDisablesHelpSilently)
{
    CountingLoader loader(kUnregisteredServer);
    HelpControlCache cache("lexidrop-no-such-control.ocx");
    const std::vector<HWND> before = ThreadWindows();
    EXPECT_EQ(CallHtmlHelp(cache, loader, nullptr, file_.c_str(), kHelpContextCommand, 2), nullptr);
    EXPECT_TRUE(cache.Disabled());
    EXPECT_EQ(loader.lookups, 1);
    EXPECT_EQ(CallHtmlHelp(cache, loader, nullptr, file_.c_str(), kHelpContextCommand, 14), nullptr);
    EXPECT_EQ(loader.lookups, 1);
    EXPECT_EQ(loader.loaded.size(), 1u);
    EXPECT_EQ(ThreadWindows(), before);  // no message, no window
}

TEST_F(HelpLauncherTest, SettingsDialogHelpButtonOpensTheSettingsTopic)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessaloon\\Lexidrop");
    testing::OwnerWindow owner;
    SettingsDialog settings;
    HWND help = nullptr;
    testing::DialogScript script({
        [&] {
            testing::PostClick(settings.Window(), IDC_SETTINGS_HELP);
            return true;
        },
        [&] {
            help = FindHelpWindow();
            if (help == nullptr) return false;
            EXPECT_EQ(GetWindow(help, GW_OWNER), nullptr);
            EXPECT_TRUE(IsWindow(settings.Window()));  // the dialog stays open
            testing::PostClick(settings.Window(), IDCANCEL);
            return true;
        },
    });
    EXPECT_EQ(script.Play([&] { return settings.RunModal(owner.Get()); }), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(help, nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessaloon\\Lexidrop");
}

}  // namespace
}  // namespace lexidrop
