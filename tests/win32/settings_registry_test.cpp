#include "services/registry_key.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace lexidrop {
namespace {

const char* const kPath = "Software\\Tessaloon\\Lexidrop";

// Every test starts without the program's key, like a first run.
class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kPath); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kPath); }

    static bool KeyExists()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    static void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
};

TEST_F(RegistryKeyTest, FirstRunCreatesTheKeyAndLoadsTheDefaults)
{
    Settings settings;
    settings.MaxLine = 40;
    LoadSettingsFromRegistry(settings);
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(settings.MaxCandi, 20u);
    EXPECT_EQ(settings.MaxLine, 5u);
    EXPECT_EQ(settings.LineNo, 1u);
    EXPECT_EQ(settings.CBCRLines, 1u);

    RegistryKey key(kSettingsKeyName);
    EXPECT_TRUE(key.IsOpen());
    EXPECT_EQ(key.Path(), kPath);
    std::uint32_t show = 99;
    EXPECT_FALSE(key.ReadDword("Show", show, 1));
    EXPECT_EQ(show, 1u);
}

TEST_F(RegistryKeyTest, ValuesOfAnotherTypeOrSizeKeepTheDefault)
{
    SetRaw("MaxCandi", REG_SZ, "7", 2);
    const unsigned char eight[8] = {3, 0, 0, 0, 0, 0, 0, 0};
    SetRaw("MaxLine", REG_BINARY, eight, sizeof eight);
    const unsigned char four[4] = {9, 0, 0, 0};
    SetRaw("Sort", REG_BINARY, four, sizeof four);  // right size, wrong type
    const DWORD zero = 0;
    SetRaw("CBCRLines", REG_DWORD, &zero, sizeof zero);

    Settings settings;
    LoadSettingsFromRegistry(settings);
    EXPECT_EQ(settings.MaxCandi, 20u);
    EXPECT_EQ(settings.MaxLine, 5u);
    EXPECT_EQ(settings.Sort, 0u);
    EXPECT_EQ(settings.CBCRLines, 0u);
    EXPECT_EQ(ClipboardLineLimit(settings), 0u);

    RegistryKey key(kSettingsKeyName);
    std::uint32_t target = 1234;
    EXPECT_FALSE(key.ReadDword("MaxLine", target, 5));
    EXPECT_EQ(target, 5u);
}

TEST_F(RegistryKeyTest, NegativePlacementRoundTripsThroughTheBitPattern)
{
    {
        RegistryKey key(kSettingsKeyName);
        EXPECT_TRUE(key.WriteDword("WndX", static_cast<std::uint32_t>(-1200)));
    }
    RegistryKey key(kSettingsKeyName);
    std::uint32_t x = 0;
    EXPECT_TRUE(key.ReadDword("WndX", x, 32));
    EXPECT_EQ(static_cast<std::int32_t>(x), -1200);
}

TEST_F(RegistryKeyTest, SaveRecreatesAKeyDeletedWhileRunning)
{
    Settings settings;
    LoadSettingsFromRegistry(settings);
    RegistryKey longLived(kSettingsKeyName);  // the main window keeps one open meanwhile
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kPath), ERROR_SUCCESS);
    ASSERT_FALSE(KeyExists());

    settings.MaxCandi = 42;
    settings.XExit = 1;
    SaveSettingsToRegistry(settings);
    ASSERT_TRUE(KeyExists());
    Settings loaded;
    LoadSettingsFromRegistry(loaded);
    EXPECT_EQ(loaded.MaxCandi, 42u);
    EXPECT_EQ(loaded.XExit, 1u);

    // All seventeen values were written, each as a 4-byte REG_DWORD.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &raw), ERROR_SUCCESS);
    DWORD count = 0;
    RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(raw);
    EXPECT_EQ(count, 17u);
}

}  // namespace
}  // namespace lexidrop

namespace lexidrop {
namespace {

// A key name longer than the registry allows cannot be created: every read
// yields its default and every write is refused.
TEST(RegistryKeyClosed, ReadsGiveDefaultsAndWritesFail)
{
    const std::string tooLong(300, 'k');
    RegistryKey key(tooLong.c_str());
    ASSERT_FALSE(key.IsOpen());
    std::uint32_t target = 5;
    EXPECT_FALSE(key.ReadDword("MaxLine", target, 77));
    EXPECT_EQ(target, 77u);
    EXPECT_FALSE(key.WriteDword("MaxLine", 3));
}

}  // namespace
}  // namespace lexidrop
