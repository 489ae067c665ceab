#include "ui/tray_icon.h"

#include <cstring>

namespace lexidrop {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first published NOTIFYICONDATAA layout");
#endif

// The tip buffer of the first published layout, terminating zero included.
constexpr size_t kTipBytes = 64;

// Copies `tip` into the tip buffer, cut so that it ends on a whole character.
void CopyTip(char* target, const char* tip)
{
    size_t length = 0;
    if (tip != nullptr) {
        const size_t available = kTipBytes - 1;
        while (tip[length] != '\0') {
            const size_t step =
                (IsDBCSLeadByte(static_cast<BYTE>(tip[length])) && tip[length + 1] != '\0') ? 2 : 1;
            if (length + step > available) {
                break;
            }
            length += step;
        }
        std::memcpy(target, tip, length);
    }
    target[length] = '\0';
}

bool IsWindows2000()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwMajorVersion == 5 && version.dwMinorVersion == 0;
}

}  // namespace

TrayIcon::TrayIcon()
{
    std::memset(&data_, 0, sizeof data_);
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.uID = kIconId;
    data_.uFlags = kFlags;
    data_.uCallbackMessage = WM_APP;
    data_.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TrayIcon::~TrayIcon()
{
    if (state_ == kShown) {
        Shell_NotifyIconA(NIM_DELETE, &data_);
    }
}

void TrayIcon::Prepare(UINT callbackMessage, HWND window, const char* tip, UINT iconId, UINT win2000IconId)
{
    data_.uFlags = kFlags;
    if (state_ == kShown) {
        Shell_NotifyIconA(NIM_DELETE, &data_);
    }
    state_ = kPrepared;
    data_.uCallbackMessage = callbackMessage;
    data_.hWnd = window;
    CopyTip(data_.szTip, tip);
    if (window == nullptr) {
        return;
    }
    UINT id = iconId;
    if (LOWORD(win2000IconId) != 0 && IsWindows2000()) {
        id = win2000IconId;
    }
    auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    // The notification area shows small icons: the image drawn for the system's
    // small-icon size (larger at higher DPI) rather than the large one shrunk.
    icon_.Reset(
        static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(LOWORD(id)), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    data_.hIcon = icon_.Get();
}

int TrayIcon::AddOrModify()
{
    switch (state_) {
        case kShown:
            data_.uFlags = kFlags;
            return Shell_NotifyIconA(NIM_MODIFY, &data_) ? 1 : 0;
        case kPrepared:
            data_.uFlags = kFlags;
            if (!Shell_NotifyIconA(NIM_ADD, &data_)) {
                return 0;
            }
            state_ = kShown;
            return 1;
        default:
            return 0;
    }
}

}  // namespace lexidrop
