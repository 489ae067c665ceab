#include "e2e_harness.h"

#include <gtest/gtest.h>

#include "wine_desktop.h"

#include <cstdio>
#include <cstring>

namespace e2e {
namespace {

std::string ClipboardState();

// The Lexidrop the current test drives, if any.
const Lexidrop* current = nullptr;

// Adds to every failed check what Lexidrop's window showed and what the
// clipboard held at that moment.
class FailureState : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        if (!result.failed()) return;
        const std::string state =
            current != nullptr ? Describe(*current) : "no Lexidrop; " + ClipboardState();
        std::printf("  %s\n", state.c_str());
        std::fflush(stdout);
    }
};

class DesktopReady : public ::testing::Environment {
    void SetUp() override { WaitForDesktopClipboardBridge(); }
};

const bool harnessRegistered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailureState);
    ::testing::AddGlobalTestEnvironment(new DesktopReady);
    return true;
}();

}  // namespace

void ResetRegistry(const std::map<std::string, std::uint32_t>& values)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kKeyPath);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    for (const auto& [name, value] : values) {
        RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegCloseKey(key);
}

std::optional<std::uint32_t> ReadRegistry(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    std::uint32_t value = 0;
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

namespace {

bool OpenClipboardRetrying()
{
    return WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 5.0);
}

}  // namespace

bool SetClipboardText(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block == nullptr) {
        return false;
    }
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboardRetrying()) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!set) {
        GlobalFree(block);
    }
    return set;
}

bool EmptyTheClipboard()
{
    if (!OpenClipboardRetrying()) {
        return false;
    }
    const bool emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
    return emptied;
}

std::optional<std::string> GetClipboardText()
{
    if (!OpenClipboardRetrying()) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = std::string(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool SetClipboardUnicode(const std::wstring& text, LCID locale)
{
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL blocks[] = {GlobalAlloc(GMEM_MOVEABLE, size), GlobalAlloc(GMEM_MOVEABLE, sizeof locale)};
    if (blocks[0] == nullptr || blocks[1] == nullptr || !OpenClipboardRetrying()) {
        for (HGLOBAL block : blocks) GlobalFree(block);
        return false;
    }
    std::memcpy(GlobalLock(blocks[0]), text.c_str(), size);
    GlobalUnlock(blocks[0]);
    std::memcpy(GlobalLock(blocks[1]), &locale, sizeof locale);
    GlobalUnlock(blocks[1]);
    EmptyClipboard();
    bool set = true;
    for (UINT format : {CF_UNICODETEXT, CF_LOCALE}) {
        HGLOBAL block = format == CF_LOCALE ? blocks[1] : blocks[0];
        if (SetClipboardData(format, block) == nullptr) {
            GlobalFree(block);
            set = false;
        }
    }
    CloseClipboard();
    return set;
}

namespace {

// The clipboard's block of `format` as bytes, or nullopt.
std::optional<std::string> ClipboardBlock(UINT format)
{
    if (!OpenClipboardRetrying()) {
        return std::nullopt;
    }
    std::optional<std::string> bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const char* start = static_cast<const char*>(GlobalLock(data))) {
            bytes = std::string(start, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

}  // namespace

std::optional<std::wstring> GetClipboardUnicode()
{
    const auto bytes = ClipboardBlock(CF_UNICODETEXT);
    if (!bytes) {
        return std::nullopt;
    }
    std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes->data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

std::optional<LCID> GetClipboardLocale()
{
    const auto bytes = ClipboardBlock(CF_LOCALE);
    if (!bytes || bytes->size() < sizeof(LCID)) {
        return std::nullopt;
    }
    LCID locale = 0;
    std::memcpy(&locale, bytes->data(), sizeof locale);
    return locale;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId) {
        return TRUE;
    }
    if (search->className != nullptr) {
        char name[128] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, search->className) != 0) {
            return TRUE;
        }
    }
    search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD processId, const char* className)
{
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressKeys(const std::vector<WORD>& modifiers, WORD key)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers) {
        add(modifier, false);
    }
    add(key, false);
    add(key, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        add(*it, true);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

Lexidrop::Lexidrop()
{
    current = this;
}

Lexidrop::~Lexidrop()
{
    if (current == this) current = nullptr;
    if (info_.hProcess != nullptr) {
        if (Running()) {
            Exit();
        }
        if (Running()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
}

bool Lexidrop::Start()
{
    const std::string folder = ProgramFolder();
    std::string command = "\"" + folder + "Lexidrop.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Wine has been seen to refuse a start once, at random, right after another
    // test's program ended; the program is not running then, so one more try
    // tests nothing less. The refusal's code is printed for whoever looks.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                           &info_))
            break;
        std::fprintf(stderr, "CreateProcess of %s failed: error %lu\n", command.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        if (attempt == 1) return false;
        Sleep(500);
    }
    WaitForInputIdle(info_.hProcess, 10000);
    return true;
}

bool Lexidrop::StartAndFindWindow()
{
    if (!Start()) {
        return false;
    }
    // The window exists before the message loop runs; wait for the loop too,
    // so that the start-up steps (tray, chain, first lookup) are done.
    WaitFor([this] {
        const auto windows = WindowsOf(info_.dwProcessId, kMainClass);
        window_ = windows.empty() ? nullptr : windows.front();
        return window_ != nullptr;
    });
    if (window_ == nullptr) {
        return false;
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    return true;
}

bool Lexidrop::Exit()
{
    if (window_ != nullptr && IsWindow(window_)) {
        PostMessageA(window_, WM_COMMAND, 106, 0);
    }
    const auto code = WaitForExit();
    return code.has_value() && *code == 0;
}

std::optional<DWORD> Lexidrop::WaitForExit(DWORD milliseconds)
{
    if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool Lexidrop::Running() const
{
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Lexidrop::List() const
{
    return GetDlgItem(window_, IDC_READING_LIST);
}

std::vector<std::wstring> Lexidrop::UnicodeLines() const
{
    std::vector<std::wstring> lines;
    HWND list = List();
    if (list == nullptr) {
        return lines;
    }
    // A busy or hung program must not hang the test: every question times out.
    auto ask = [list](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &answer)) {
            return LB_ERR;
        }
        return static_cast<LRESULT>(answer);
    };
    const LRESULT count = ask(LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Across processes the ANSI form answers in UTF-16: ask in UTF-16.
        const LRESULT length = ask(LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            break;
        }
        // LB_GETTEXT takes no buffer size, and the program may refill its list
        // between the two questions: room for far more than the length told.
        constexpr LRESULT kRoom = 65536;
        std::wstring wide(static_cast<size_t>(length < kRoom ? kRoom : length + kRoom), L'\0');
        const LRESULT got = ask(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(got < 0 ? 0 : static_cast<size_t>(got));
        lines.push_back(wide);
    }
    return lines;
}

std::vector<std::string> Lexidrop::Lines() const
{
    std::vector<std::string> lines;
    for (const std::wstring& wide : UnicodeLines()) {
        std::string text(wide.size() * 2 + 1, '\0');
        const int bytes = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                              static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(bytes < 0 ? 0 : static_cast<size_t>(bytes));
        lines.push_back(text);
    }
    return lines;
}

bool Lexidrop::WaitForLine0(const std::string& text, double seconds) const
{
    return WaitFor(
        [this, &text] {
            const auto lines = Lines();
            return !lines.empty() && lines.front() == text;
        },
        seconds);
}

RECT Lexidrop::WindowRect() const
{
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect;
}

bool Lexidrop::Visible() const
{
    return IsWindowVisible(window_) != FALSE;
}

FaultHelper::~FaultHelper()
{
    Kill();
}

bool FaultHelper::Start(const std::string& arguments)
{
    static int started = 0;
    const std::string event =
        "LexidropFault" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++started);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    if (ready == nullptr) return false;
    const std::string folder = ProgramFolder();
    std::string command = "\"" + folder + "fault_helper.exe\" " + event + " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    bool inPlace = false;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &info_)) {
        HANDLE waits[2] = {ready, info_.hProcess};
        inPlace = WaitForMultipleObjects(2, waits, FALSE, 10000) == WAIT_OBJECT_0;
    }
    CloseHandle(ready);
    return inPlace;
}

void FaultHelper::Kill()
{
    if (info_.hProcess == nullptr) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

bool FaultHelper::WaitForExit(DWORD milliseconds)
{
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

namespace {

// Shift-JIS to UTF-8, for messages read on the host.
std::string Utf8(const std::string& sjis)
{
    std::wstring wide(sjis.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    std::string out(wide.size() * 3, '\0');
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// A text for the log, cut after its first 200 bytes: a huge copy would flood it.
std::string Shown(const std::string& sjis)
{
    constexpr std::size_t kShown = 200;
    std::string shown = "[";
    shown += Utf8(sjis.substr(0, kShown));
    shown += sjis.size() > kShown ? "...]" : "]";
    return shown;
}

std::string ClipboardState()
{
    const auto clipboard = GetClipboardText();
    return clipboard ? "clipboard: " + Shown(*clipboard) : std::string("clipboard: no text");
}

}  // namespace

std::string Describe(const Lexidrop& app)
{
    std::string text = "window lines:";
    for (const std::string& line : app.Lines()) text.append(" ").append(Shown(line));
    return text + "; " + ClipboardState();
}

}  // namespace e2e
