// The settings dialog (resource 136) and the holder of the program's one
// Settings record: loads the record when constructed, shows it in the dialog,
// checks the input on OK and saves the accepted record to the registry.
#pragma once
#include <windows.h>

#include <cstdint>

#include "win32/window_object.h"
#include "settings/settings.h"
#include "settings/settings_rules.h"

namespace lexidrop {

class SettingsDialog : public WindowObject {
public:
    // Loads the record from the registry (defaults where values are missing).
    SettingsDialog();

    // Runs the dialog modally over `owner`. 1 after OK with valid input (the
    // record then holds and has stored the new values), 0 after Cancel, Esc,
    // the close box or a failure to create the dialog, -1 for a null owner.
    int RunModal(HWND owner);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The program's settings, read in place by every part of the program.
    const Settings& Values() const { return settings_; }
    // Which labels are painted red: 0 none, otherwise a FormError value.
    std::uint8_t ErrorMark() const { return errorMark_; }
    // The tooltip control of the open dialog, null while it is closed.
    HWND ToolTip() const { return toolTip_; }

private:
    void Initialise(HWND dialog);
    void CreateToolTips(HWND dialog);
    // Checks and stores the input; true when the dialog may close.
    bool AcceptInput(HWND dialog);
    void RejectInput(HWND dialog, FormError error);
    LRESULT ColourLabel(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND toolTip_ = nullptr;
    Settings settings_;
    std::uint8_t errorMark_ = 0;
};

}  // namespace lexidrop
