// Entry point: one instance per logon, then the application object runs the
// program until the main window is destroyed.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "services/version_info.h"
#include "ui/main_window.h"
#include "win32/resource_text.h"
#include "win32/scoped_win.h"
#include "res/string_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The single-instance mutex. Never owned by a thread: its existence alone marks
    // a running instance. Closed when the entry point returns.
    const lexidrop::ScopedHandle mutex(CreateMutexA(nullptr, FALSE, "MUTEX_NAME_ZE_LEXIDROP"));
    if (!mutex.IsValid()) {
        return -1;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        lexidrop::VersionInfo version;
        const std::string text = lexidrop::LoadResourceText(instance, IDS_ALREADY_RUNNING);
        MessageBoxA(nullptr, text.c_str(), version.TitleText().c_str(), MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    InitCommonControls();
    lexidrop::MainWindow mainWindow;
    return mainWindow.Run(instance);
}
