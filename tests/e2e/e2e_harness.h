// Drives the real Lexidrop.exe from outside: its registry key, starting and
// ending the process, the clipboard, and reading its window and list.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "res/resource.h"

namespace e2e {

constexpr char kKeyPath[] = "Software\\Tessaloon\\Lexidrop";
constexpr char kMainClass[] = LEXIDROP_WINDOW_CLASS;
constexpr UINT kTrayNotify = WM_LEXIDROP_TRAY_NOTIFY;

// The program's registry key: deleted, then filled with the given values.
void ResetRegistry(const std::map<std::string, std::uint32_t>& values);
// A value of the program's key, if present as REG_DWORD.
std::optional<std::uint32_t> ReadRegistry(const char* name);

// Puts a text on the clipboard as CF_TEXT (Shift-JIS).
bool SetClipboardText(const std::string& text);
// Leaves the clipboard without any data.
bool EmptyTheClipboard();
// The clipboard's CF_TEXT, or nullopt.
std::optional<std::string> GetClipboardText();
// Puts a text on the clipboard as CF_UNICODETEXT only, with the input language
// `locale` (CF_LOCALE), as a Unicode program does while that layout is active.
bool SetClipboardUnicode(const std::wstring& text, LCID locale);
// The clipboard's CF_UNICODETEXT, as a Unicode program pastes it, or nullopt.
std::optional<std::wstring> GetClipboardUnicode();
// The clipboard's CF_LOCALE, or nullopt.
std::optional<LCID> GetClipboardLocale();

// Polls `condition` until it holds or about `seconds` have passed.
template <typename Condition>
bool WaitFor(Condition condition, double seconds = 10.0)
{
    const int steps = static_cast<int>(seconds * 50);
    for (int i = 0; i < steps; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(20);
    }
    return condition();
}

// Top-level windows of the given process, matching class and title when given.
std::vector<HWND> WindowsOf(DWORD processId, const char* className = nullptr);

// Presses keys with SendInput: the modifiers (VK codes) down, the key down and
// up, the modifiers up.
void PressKeys(const std::vector<WORD>& modifiers, WORD key);

// One Lexidrop.exe process started from the test program's folder.
class Lexidrop {
public:
    Lexidrop();
    ~Lexidrop();
    Lexidrop(const Lexidrop&) = delete;
    Lexidrop& operator=(const Lexidrop&) = delete;

    // Starts the process and waits until it waits for input. False on failure.
    bool Start();
    // Starts and waits for the main window; false when it did not appear.
    bool StartAndFindWindow();
    // Asks the program to end through its exit command and waits; true when the
    // process ended with exit code 0.
    bool Exit();
    // Waits for the process to end; its exit code, or nullopt on timeout.
    std::optional<DWORD> WaitForExit(DWORD milliseconds = 10000);
    bool Running() const;

    HWND Window() const { return window_; }
    HWND List() const;
    DWORD ProcessId() const { return info_.dwProcessId; }

    // The list's lines read across processes (Shift-JIS).
    std::vector<std::string> Lines() const;
    // The same lines as the list box holds them, in UTF-16.
    std::vector<std::wstring> UnicodeLines() const;
    // Waits until line 0 equals `text`.
    bool WaitForLine0(const std::string& text, double seconds = 10.0) const;
    RECT WindowRect() const;
    bool Visible() const;

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// A fault_helper process (tests/faults): a neighbour that holds the clipboard
// or sits in the viewer chain. Killed, if still running, when destroyed.
class FaultHelper {
public:
    FaultHelper() = default;
    ~FaultHelper();
    FaultHelper(const FaultHelper&) = delete;
    FaultHelper& operator=(const FaultHelper&) = delete;

    // Starts `fault_helper <event> <arguments>` and waits until the fault is in
    // place; false when it did not get there.
    bool Start(const std::string& arguments);
    // Ends the process at once, as a crash would (nothing is cleaned up).
    void Kill();
    // Waits for the process to end by itself; false on timeout.
    bool WaitForExit(DWORD milliseconds = 10000);

private:
    PROCESS_INFORMATION info_{};
};

// What a failing end-to-end check shows: the window's lines and the clipboard.
std::string Describe(const Lexidrop& app);

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

}  // namespace e2e
