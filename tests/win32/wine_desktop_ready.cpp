// The Win32 tests read and write the clipboard too: they start once the
// desktop's clipboard bridge has settled (see wine_desktop.h).
#include <gtest/gtest.h>

#include "../e2e/wine_desktop.h"

namespace {

class DesktopReady : public ::testing::Environment {
    void SetUp() override { e2e::WaitForDesktopClipboardBridge(); }
};

const auto* const desktopReady = ::testing::AddGlobalTestEnvironment(new DesktopReady);

}  // namespace
