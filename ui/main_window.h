// The application object: owns everything long-lived and drives the one
// top-level window, a small tool window with the list of readings.
#pragma once
#include <windows.h>

#include <string>

#include "res/resource.h"
#include "ui/tray_icon.h"
#include "win32/window_object.h"
#include "services/clipboard_viewer.h"
#include "lookup/background_lookup.h"
#include "services/reverse_conversion_choice.h"
#include "ui/reading_list_view.h"
#include "settings/settings.h"
#include "ui/settings_dialog.h"

namespace lexidrop {

// Callback message of the tray icon.
constexpr UINT WM_TRAY_NOTIFY = WM_LEXIDROP_TRAY_NOTIFY;
// Posted to itself on a clipboard change: runs the lookup of the clipboard text
// after the notification has been passed on, so nothing the lookup does
// (waiting for a busy clipboard, a slow conversion) holds up the viewer chain.
constexpr UINT WM_RUN_LOOKUP = WM_APP + 11;
// Posted by the engine's worker thread when the lines of its lookup are ready.
constexpr UINT WM_LOOKUP_READY = WM_APP + 12;

class MainWindow final : public WindowObject {
public:
    // Registers "TaskbarCreated" (tray icon) and loads the settings.
    MainWindow();
    // Members are released in reverse order: the clipboard viewer leaves the
    // chain if still in it, then the tray icon is deleted.
    ~MainWindow() = default;

    // Registers the class, creates the window at the stored placement, sets it
    // up, runs the message loop. Returns the exit code, -1 on failure.
    int Run(HINSTANCE instance);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Saves Show, WndX, WndY and WndWidth, leaves the viewer chain and destroys
    // the window, which ends the message loop.
    void ExitApplication(HWND window);
    // Sets the height to the list's lines (at most MaxLine), keeping the
    // window on the primary screen. Nonzero when the window was moved.
    BOOL FitToContent(HWND window);
    void ShowSettings(HWND window);
    void ShowAbout(HWND window);

    const Settings& CurrentSettings() const { return settingsDialog_.Values(); }

private:
    // One lookup of the clipboard text; true when the lines were replaced. A
    // long text's lookup by the built-in engine alone goes to the worker thread
    // (false).
    bool Lookup(HWND window);
    // Shows the worker's lines, if the latest lookup's are ready, and fits the window.
    void ShowEngineLookup(HWND window);
    void AddTrayIcon(HWND window);
    LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnHotKey(HWND window, WPARAM id);
    void OnTrayNotify(HWND window, LPARAM mouseMessage);
    void RegisterHotKeysFromSettings(HWND window);
    // The chain watchdog's tick: repairs the chain when a change went unnotified.
    void OnWatchdog(HWND window);
    // Posts WM_RUN_LOOKUP unless one is waiting; looks up at once when the post fails.
    void RequestLookup(HWND window);

    int modalDialog_ = 0;
    // A WM_RUN_LOOKUP is in the queue.
    bool lookupPending_ = false;
    DWORD exStyle_ = WS_EX_TOOLWINDOW;
    ReadingListView list_;
    TrayIcon tray_;
    ClipboardViewer clipboard_;
    SettingsDialog settingsDialog_;
    // Where readings come from (the IME, the built-in engine or both), after
    // the ReadingSource setting; keeps the engine's dictionary for the run.
    ReverseConversionChoice readingSources_;
    // The window WM_LOOKUP_READY goes to; set before the worker starts.
    HWND lookupWindow_ = nullptr;
    // The built-in engine's lookups, on a thread with an engine of its own, so
    // that a huge text keeps the window answering. Declared after the
    // dictionary's owner: it ends, and stops using it, first.
    BackgroundLookup engineLookup_;
};

}  // namespace lexidrop
