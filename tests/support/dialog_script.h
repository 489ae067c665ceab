// Drives a modal dialog from inside its own message loop: a thread timer
// plays a list of steps, each of which looks at the open windows and sends or
// posts messages to them. A step returns true to go on to the next step and
// false to be tried again at the next tick (for instance while waiting for a
// message box). Clicks that open a nested modal loop must be posted.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lexidrop::testing {

class DialogScript {
public:
    using Step = std::function<bool()>;

    explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

    // Calls `run` (which enters a modal loop) while the steps are played.
    // When the steps do not finish in time every dialog of the thread is
    // ended, so that a broken dialog fails the test instead of hanging it.
    template <class Run>
    auto Play(Run run)
    {
        current_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &DialogScript::Tick);
        auto result = run();
        KillTimer(nullptr, timer);
        current_ = nullptr;
        return result;
    }

    bool Finished() const { return next_ == steps_.size(); }
    bool TimedOut() const { return timedOut_; }

private:
    static constexpr UINT kTickMs = 20;
    static constexpr int kMaxTicks = 1500;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogScript* script = current_;
        if (script == nullptr || script->busy_) return;
        script->busy_ = true;
        if (++script->ticks_ > kMaxTicks && !script->Finished()) {
            script->timedOut_ = true;
            EndAllDialogs();
        } else if (!script->Finished() && script->steps_[script->next_]()) {
            ++script->next_;
        }
        script->busy_ = false;
    }

    static BOOL CALLBACK EndDialogWindow(HWND window, LPARAM)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770") EndDialog(window, IDCANCEL);
        return TRUE;
    }

    static void EndAllDialogs() { EnumThreadWindows(GetCurrentThreadId(), &EndDialogWindow, 0); }

    static inline DialogScript* current_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int ticks_ = 0;
    bool busy_ = false;
    bool timedOut_ = false;
};

// A hidden top-level window of this module to own the dialogs under test.
class OwnerWindow {
public:
    OwnerWindow()
        : window_(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND Get() const { return window_; }

private:
    HWND window_;
};

// Presses a button of a dialog the way a click does, without waiting for it.
inline void PostClick(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

struct MessageBoxSearch {
    HWND owner;
    HWND found;
};

inline BOOL CALLBACK MatchMessageBox(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<MessageBoxSearch*>(lParam);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible message box owned by `owner`, or null.
inline HWND FindMessageBox(HWND owner)
{
    MessageBoxSearch search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The message text of a message box (its static control 0xFFFF).
inline std::string MessageBoxText(HWND box)
{
    return ItemText(box, 0xFFFF);
}

// With LEXIDROP_SCREENSHOT_DIR set, saves what the screen shows of `window`
// as <dir>/<name>.bmp; otherwise does nothing.
inline void SaveScreenshot(HWND window, const char* name)
{
    const char* dir = std::getenv("LEXIDROP_SCREENSHOT_DIR");
    if (dir == nullptr || window == nullptr) return;
    UpdateWindow(window);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    const std::string path = std::string(dir) + "\\" + name + ".bmp";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(bits, imageSize, 1, out);
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace lexidrop::testing
