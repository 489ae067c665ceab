// Registration of the global hot keys, observed through the system's refusal
// to give the same combination to a second window.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/hot_keys.h"

namespace lexidrop {
namespace {

class HotKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = Create();
        other_ = Create();
        ASSERT_NE(owner_, nullptr);
        ASSERT_NE(other_, nullptr);
    }
    void TearDown() override
    {
        UnregisterHotKeys(owner_);
        DestroyWindow(owner_);
        DestroyWindow(other_);
    }

    static HWND Create()
    {
        return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }

    // True when the combination is taken (another window cannot register it).
    bool Taken(UINT modifiers, UINT key)
    {
        if (RegisterHotKey(other_, 99, modifiers, key)) {
            UnregisterHotKey(other_, 99);
            return false;
        }
        return true;
    }

    HWND owner_ = nullptr;
    HWND other_ = nullptr;
};

TEST_F(HotKeysTest, RegistersActivationAndTenDigitKeysAndReleasesAllEleven)
{
    const UINT copy = MOD_CONTROL | MOD_SHIFT | MOD_ALT;
    RegisterHotKeys(owner_, MOD_CONTROL | MOD_ALT, 'Q', copy);
    EXPECT_TRUE(Taken(MOD_CONTROL | MOD_ALT, 'Q'));
    for (UINT key = '0'; key <= '9'; ++key) {
        EXPECT_TRUE(Taken(copy, key)) << static_cast<char>(key);
    }
    EXPECT_FALSE(Taken(copy, VK_NUMPAD1));  // digits of the main keyboard only

    UnregisterHotKeys(owner_);
    EXPECT_FALSE(Taken(MOD_CONTROL | MOD_ALT, 'Q'));
    for (UINT key = '0'; key <= '9'; ++key) {
        EXPECT_FALSE(Taken(copy, key)) << static_cast<char>(key);
    }
}

TEST_F(HotKeysTest, ZeroModifiersRegisterNothing)
{
    RegisterHotKeys(owner_, 0, 'Q', 0);
    EXPECT_FALSE(Taken(0, 'Q'));
    for (UINT key = '0'; key <= '9'; ++key) {
        EXPECT_FALSE(Taken(0, key));
    }
}

TEST_F(HotKeysTest, CombinationHeldElsewhereIsSkippedSilently)
{
    ASSERT_TRUE(RegisterHotKey(other_, 5, MOD_ALT, '3'));
    RegisterHotKeys(owner_, 0, 0, MOD_ALT);
    EXPECT_TRUE(Taken(MOD_ALT, '2'));
    EXPECT_TRUE(Taken(MOD_ALT, '4'));
    UnregisterHotKeys(owner_);
    EXPECT_TRUE(Taken(MOD_ALT, '3'));  // still the other window's
    UnregisterHotKey(other_, 5);
}

}  // namespace
}  // namespace lexidrop
