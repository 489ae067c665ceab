#include "ui/main_window.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "ui/about_dialog.h"
#include "services/help_launcher.h"
#include "services/version_info.h"
#include "ui/hot_keys.h"
#include "ui/menus.h"
#include "services/copy_line.h"
#include "services/window_lookup.h"
#include "res/resource.h"
#include "services/registry_key.h"
#include "win32/scoped_win.h"

namespace lexidrop {
namespace {

constexpr char kClassName[] = LEXIDROP_WINDOW_CLASS;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr int kInitialHeight = 64;
// A viewer that joined after Lexidrop and then died or hung breaks the chain
// ahead of it; this timer notices clipboard changes that were not notified.
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT kWatchdogMs = 1000;
// Texts up to this size are looked up on the window's thread even by the
// engine alone: that takes a few milliseconds, less than handing the lookup
// to the worker thread and its lines back would cost.
constexpr std::size_t kLookupHereBytes = 4096;

// Placement values next to the settings in the program's key.
constexpr std::uint32_t kDefaultX = 32;
constexpr std::uint32_t kDefaultY = 32;
constexpr std::uint32_t kDefaultWidth = 160;
constexpr std::uint32_t kDefaultShow = 1;

#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXA) == 48, "the ANSI extended class structure");
#endif

// Ends the program through the main window, for the line copy with ExitOnce.
class WindowExit final : public ExitHandler {
public:
    WindowExit(MainWindow& mainWindow, HWND window) : mainWindow_(mainWindow), window_(window) {}
    void ExitApplication() override { mainWindow_.ExitApplication(window_); }

private:
    MainWindow& mainWindow_;
    HWND window_;
};

// The text the window read from the clipboard, handed to its lookup.
class TextAlreadyRead final : public TextSource {
public:
    explicit TextAlreadyRead(std::string& text) : text_(text) {}
    bool ReadText(std::string& text) override
    {
        text = std::move(text_);
        return !text.empty();
    }

private:
    std::string& text_;
};

std::string TitleText()
{
    VersionInfo version;
    return version.TitleText();
}

// The default width is made for 96 DPI; the system does not scale the window of
// a DPI-aware program, so it grows with the system's DPI.
std::uint32_t DefaultWidth()
{
    ScopedGetDC screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
    return static_cast<std::uint32_t>(MulDiv(static_cast<int>(kDefaultWidth), dpi > 0 ? dpi : 96, 96));
}

}  // namespace

MainWindow::MainWindow() : engineLookup_([this] { PostMessageA(lookupWindow_, WM_LOOKUP_READY, 0, 0); }) {}

int MainWindow::Run(HINSTANCE instance)
{
    const Settings& settings = CurrentSettings();
    exStyle_ = WS_EX_TOOLWINDOW;
    RegistryKey key(kSettingsKeyName);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = SharedWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LEXIDROP));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        return -1;
    }

    const std::string title = TitleText();
    if (settings.TopMost != 0) {
        exStyle_ |= WS_EX_TOPMOST;
    }
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    key.ReadDword("WndX", x, kDefaultX);
    key.ReadDword("WndY", y, kDefaultY);
    key.ReadDword("WndWidth", width, DefaultWidth());
    HWND window =
        CreateWindowExA(exStyle_, kClassName, title.c_str(), kWindowStyle, static_cast<std::int32_t>(x),
                        static_cast<std::int32_t>(y), static_cast<std::int32_t>(width), kInitialHeight,
                        nullptr, nullptr, instance, this);
    if (window == nullptr) {
        return -1;
    }
    lookupWindow_ = window;

    SetupSystemMenu(window, static_cast<int>(settings.XExit));
    AddTrayIcon(window);
    clipboard_.Join(window, ClipboardLineLimit(settings));
    SetTimer(window, kWatchdogTimer, kWatchdogMs, nullptr);
    Lookup(window);
    FitToContent(window);
    std::uint32_t show = 0;
    key.ReadDword("Show", show, kDefaultShow);
    if (show != 0) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    RegisterHotKeysFromSettings(window);

    MSG message{};
    BOOL received;
    // GetMessageA answers -1 on an error; the loop must not spin on it.
    while ((received = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return received == 0 ? static_cast<int>(message.wParam) : -1;
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT taskbarCreated = tray_.TaskbarCreatedMessage();
    if (taskbarCreated != 0 && message == taskbarCreated) {
        AddTrayIcon(window);
        return 0;
    }
    const Settings& settings = CurrentSettings();
    switch (message) {
        case WM_CREATE:
            return list_.Create(window, settings.Sort, settings.LineNo) != nullptr ? 0 : -1;
        case WM_DESTROY:
            UnregisterHotKeys(window);
            PostQuitMessage(0);
            return 0;
        case WM_SIZE: {
            RECT client;
            if (GetClientRect(window, &client)) {
                list_.Resize(static_cast<UINT>(wParam), client.right - client.left,
                             client.bottom - client.top);
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) {
                list_.Focus();
            }
            return 0;
        case WM_CLOSE:
            if (settings.XExit != 0) {
                ExitApplication(window);
            } else {
                ShowWindow(window, SW_HIDE);
            }
            return 0;
        case WM_ENDSESSION:
            if (wParam != 0) {
                ExitApplication(window);
            }
            return 0;
        case WM_VKEYTOITEM: {
            WindowExit exit(*this, window);
            ClipboardLineCopier copier(clipboard_, CurrentSettings().ExitOnce != 0, exit);
            return list_.OnVKeyToItem(wParam, copier);
        }
        case WM_COMMAND:
        case WM_SYSCOMMAND:
            return OnCommand(window, message, wParam, lParam);
        case WM_DRAWCLIPBOARD:
            // Passed on at once; the lookup runs later, from the queue, and a
            // change that came round before is not looked up again.
            if (clipboard_.OnDrawClipboard(wParam, lParam)) {
                RequestLookup(window);
            }
            return 0;
        case WM_RUN_LOOKUP:
            // Cleared first: a change made while this lookup reads the clipboard
            // posts the next one.
            lookupPending_ = false;
            if (Lookup(window)) {
                FitToContent(window);
            }
            return 0;
        case WM_LOOKUP_READY:
            ShowEngineLookup(window);
            return 0;
        case WM_TIMER:
            if (wParam == kWatchdogTimer) {
                OnWatchdog(window);
            }
            return 0;
        case WM_CHANGECBCHAIN:
            clipboard_.OnChangeChain(wParam, lParam);
            return 0;
        case WM_HOTKEY:
            OnHotKey(window, wParam);
            return 0;
        case WM_TRAY_NOTIFY:
            OnTrayNotify(window, lParam);
            return 0;
        default:
            return WindowObject::HandleMessage(window, message, wParam, lParam);
    }
}

LRESULT MainWindow::OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            ShowAbout(window);
            return 0;
        case IDM_EXIT:
            ExitApplication(window);
            return 0;
        case ReadingListView::kListControlId:
            if (HIWORD(wParam) == LBN_DBLCLK) {
                WindowExit exit(*this, window);
                ClipboardLineCopier copier(clipboard_, CurrentSettings().ExitOnce != 0, exit);
                list_.CopyCaretLine(copier);
            }
            return 0;
        case IDM_SHOW:
            ShowWindow(window, SW_SHOW);
            return 0;
        case IDM_HIDE:
            ShowWindow(window, SW_HIDE);
            return 0;
        case IDM_SETTINGS:
            ShowSettings(window);
            return 0;
        case IDM_HELP:
            ShowHelp(kHelpContextMain);
            return 0;
        default:
            break;
    }
    // The system keeps internal bits in the low four bits of a system
    // command (a menu opened by mouse arrives as SC_MOUSEMENU | HTSYSMENU).
    const WPARAM systemCommand = wParam & 0xFFF0;
    if (message == WM_SYSCOMMAND && (systemCommand == SC_MOUSEMENU || systemCommand == SC_KEYMENU)) {
        HMENU menu = GetSystemMenu(window, FALSE);
        if (menu != nullptr) {
            UpdateMenuStates(menu, modalDialog_);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void MainWindow::OnHotKey(HWND window, WPARAM id)
{
    if (id <= static_cast<WPARAM>(kLastCopyHotKey)) {
        WindowExit exit(*this, window);
        ClipboardLineCopier copier(clipboard_, CurrentSettings().ExitOnce != 0, exit);
        list_.CopyLineAt(static_cast<int>(id), copier);
    } else if (id == static_cast<WPARAM>(kActivateHotKey)) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }
}

void MainWindow::OnWatchdog(HWND window)
{
    // Should the worker's notice have been lost, its lines show within a tick.
    ShowEngineLookup(window);
    if (clipboard_.MissedChange() && clipboard_.Rejoin()) {
        RequestLookup(window);
    }
}

void MainWindow::RequestLookup(HWND window)
{
    // Changes that come while a lookup waits in the queue add nothing to it: it
    // reads the clipboard only when it runs, so a burst of copies ends in one
    // lookup of the latest text. Should the post fail, the lookup runs now.
    if (lookupPending_) {
        return;
    }
    lookupPending_ = PostMessageA(window, WM_RUN_LOOKUP, 0, 0) != 0;
    if (!lookupPending_ && Lookup(window)) {
        FitToContent(window);
    }
}

void MainWindow::OnTrayNotify(HWND window, LPARAM mouseMessage)
{
    switch (mouseMessage) {
        case WM_LBUTTONUP:
            SetForegroundWindow(window);
            break;
        case WM_LBUTTONDBLCLK:
            ShowWindow(window, SW_SHOW);
            SetForegroundWindow(window);
            break;
        case WM_RBUTTONUP:
            ShowTrayMenu(window, modalDialog_);
            break;
        case WM_RBUTTONDBLCLK:
            ShowSettings(window);
            break;
        case WM_MBUTTONUP:
            ExitApplication(window);
            break;
        default:
            break;
    }
}

bool MainWindow::Lookup(HWND window)
{
    const Settings& settings = CurrentSettings();
    std::string text;
    if (!clipboard_.ReadText(text) || text.empty()) return false;
    const std::uint32_t mappingFlags = MappingFlags(settings);
    const bool furigana = settings.Furigana != 0;
    if (text.size() > kLookupHereBytes && readingSources_.EngineAlone(settings.ReadingSource, window, text)) {
        const Dictionary* dictionary = readingSources_.BuiltInDictionary();
        const bool started = dictionary && engineLookup_.Start([dictionary] {
            return MakeEngineLookupWork(*dictionary);
        });
        if (started) {
            engineLookup_.Request({std::move(text), settings.MaxCandi, mappingFlags, furigana});
            return false;
        }
    }
    // Looked up here and now: whatever the worker has under way is stale.
    engineLookup_.Cancel();
    TextAlreadyRead source(text);
    return RunLookup(window, settings.MaxCandi, mappingFlags, source, list_,
                     readingSources_.For(settings.ReadingSource, settings.MaxCandi),
                     furigana ? readingSources_.FuriganaEngine(settings.ReadingSource) : nullptr);
}

void MainWindow::ShowEngineLookup(HWND window)
{
    std::optional<LookupResult> result = engineLookup_.TakeResult();
    if (!result) return;
    // Line 0 and the readings replace the lines together, then the window fits them.
    list_.SetLines(result->text, result->readings, result->furigana);
    FitToContent(window);
}

void MainWindow::AddTrayIcon(HWND window)
{
    const std::string tip = TitleText();
    tray_.Prepare(WM_TRAY_NOTIFY, window, tip.c_str(), IDI_LEXIDROP, IDI_TRAY_W2K);
    tray_.AddOrModify();
}

void MainWindow::RegisterHotKeysFromSettings(HWND window)
{
    const Settings& settings = CurrentSettings();
    RegisterHotKeys(window, settings.ActMod, settings.ActVKey, settings.SetClipMod);
}

void MainWindow::ExitApplication(HWND window)
{
    RegistryKey key(kSettingsKeyName);
    key.WriteDword("Show", IsWindowVisible(window) ? 1 : 0);
    RECT bounds;
    if (GetWindowRect(window, &bounds)) {
        key.WriteDword("WndX", static_cast<std::uint32_t>(bounds.left));
        key.WriteDword("WndY", static_cast<std::uint32_t>(bounds.top));
        key.WriteDword("WndWidth", static_cast<std::uint32_t>(bounds.right - bounds.left));
    }
    clipboard_.Leave();
    DestroyWindow(window);
}

BOOL MainWindow::FitToContent(HWND window)
{
    const int itemHeight = list_.GetItemHeight();
    if (itemHeight <= 0) {
        return FALSE;
    }
    const std::uint32_t count = static_cast<std::uint32_t>(list_.GetLineCount());
    const std::uint32_t maxLine = CurrentSettings().MaxLine;
    const std::uint32_t rows = count < maxLine ? count : maxLine;
    if (static_cast<std::int32_t>(rows) < 0) {
        return FALSE;
    }
    RECT content;
    if (!list_.GetBounds(content)) {
        return FALSE;
    }
    content.bottom = content.top + static_cast<LONG>(rows) * itemHeight;
    if (!AdjustWindowRectEx(&content, kWindowStyle, FALSE, exStyle_)) {
        return FALSE;
    }
    RECT place;
    if (!GetWindowRect(window, &place)) {
        return FALSE;
    }
    const RECT current = place;
    // In 64 bits: a stored position near the 32-bit limits must not overflow
    // when the size is added.
    std::int64_t left = place.left < 0 ? 0 : place.left;
    std::int64_t top = place.top < 0 ? 0 : place.top;
    const std::int64_t width = std::int64_t{content.right} - content.left;
    // The system gives a top-level window at least its minimum tracking height
    // (an empty list asks for less), so the window is placed with the height it
    // will really have and stays wholly on the screen.
    const std::int64_t height =
        std::max<std::int64_t>(std::int64_t{content.bottom} - content.top, GetSystemMetrics(SM_CYMINTRACK));
    HWND desktop = GetDesktopWindow();
    RECT screen;
    if (desktop != nullptr && GetClientRect(desktop, &screen)) {
        if (left + width >= screen.right) {
            left = screen.right - width > 0 ? screen.right - width : 0;
        }
        if (top + height >= screen.bottom) {
            top = screen.bottom - height > 0 ? screen.bottom - height : 0;
        }
    }
    // Moving a window repaints it whole, so a lookup that keeps the size and the
    // place leaves the window alone.
    if (left == current.left && top == current.top && width == std::int64_t{current.right} - current.left &&
        height == std::int64_t{current.bottom} - current.top) {
        return TRUE;
    }
    return MoveWindow(window, static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                      static_cast<int>(height), TRUE);
}

void MainWindow::ShowSettings(HWND window)
{
    if (modalDialog_ != 0) {
        return;
    }
    modalDialog_ = 1;
    UnregisterHotKeys(window);
    const int confirmed = settingsDialog_.RunModal(window);
    RegisterHotKeysFromSettings(window);
    if (confirmed != 0) {
        const Settings& settings = CurrentSettings();
        UpdateCloseItems(window, static_cast<int>(settings.XExit));
        if (settings.TopMost != 0) {
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        } else {
            // Leaves the topmost band and stays at the top of the normal windows.
            // (Moving it to the bottom and back to the top does the same on
            // Windows, but Wine keeps the topmost state for HWND_BOTTOM.)
            SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        }
        list_.Recreate(settings.Sort, settings.LineNo);
        clipboard_.SetLineLimit(ClipboardLineLimit(settings));
    }
    modalDialog_ = 0;
}

void MainWindow::ShowAbout(HWND window)
{
    if (modalDialog_ != 0) {
        return;
    }
    modalDialog_ = 1;
    AboutDialog dialog;
    dialog.RunModal(window);
    modalDialog_ = 0;
}

}  // namespace lexidrop
