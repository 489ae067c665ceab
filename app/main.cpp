// Entry point: one instance per logon, then the application object runs the
// program until the main window is destroyed.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "services/version_info.h"
#include "ui/main_window.h"
#include "win32/resource_text.h"
#include "res/string_ids.h"

namespace {

// The single-instance mutex. Never owned by a thread: its existence alone marks
// a running instance. Closed when the entry point returns.
class InstanceMutex {
public:
    InstanceMutex() : handle_(CreateMutexA(nullptr, FALSE, "MUTEX_NAME_ZE_LEXIDROP"))
    {
        alreadyExists_ = handle_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    }
    ~InstanceMutex()
    {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    bool Created() const { return handle_ != nullptr; }
    bool AlreadyExists() const { return alreadyExists_; }

private:
    HANDLE handle_;
    bool alreadyExists_ = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InstanceMutex mutex;
    if (!mutex.Created()) {
        return -1;
    }
    if (mutex.AlreadyExists()) {
        lexidrop::VersionInfo version;
        const std::string text = lexidrop::LoadResourceText(instance, IDS_ALREADY_RUNNING);
        MessageBoxA(nullptr, text.c_str(), version.TitleText().c_str(), MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    InitCommonControls();
    lexidrop::MainWindow mainWindow;
    return mainWindow.Run(instance);
}
