// The program's one icon in the notification area.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "win32/scoped_win.h"

namespace lexidrop {

class TrayIcon {
public:
    enum State { kConstructed = 0, kPrepared = 1, kShown = 2 };

    // Registers "TaskbarCreated"; the icon is not shown yet.
    TrayIcon();
    // Removes the icon when it is shown.
    virtual ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Removes a shown icon and stores what the next add shows: the callback
    // message, the window that receives it, the tip (cut to the 63 bytes the
    // tip buffer holds) and the icon (`win2000IconId` instead of `iconId` on
    // Windows 2000, when its low word is nonzero).
    void Prepare(UINT callbackMessage, HWND window, const char* tip, UINT iconId, UINT win2000IconId);
    // Adds a prepared icon or modifies a shown one. 1 when the shell accepted.
    int AddOrModify();

    // The id of the message the shell broadcasts when the taskbar is
    // (re-)created; 0 when it could not be registered.
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }
    int GetState() const { return state_; }
    const NOTIFYICONDATAA& Data() const { return data_; }

private:
    NOTIFYICONDATAA data_;
    ScopedIcon icon_;  // the icon shown, once prepared with a window
    int state_ = kConstructed;
    UINT taskbarCreated_ = 0;
};

}  // namespace lexidrop
