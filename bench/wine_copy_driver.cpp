// wine-copy-driver: sets the clipboard the way a text hooker or a clipboard
// manager does and watches how Lexidrop keeps up. Run by bench/wine-copy-bench.sh.
//   wine-copy-driver viewer
//       a bare clipboard viewer that only passes the chain messages on;
//       runs until its window is closed (the cost baseline)
//   wine-copy-driver paced TEXTS [GAP_MS]
//       copies each text of the file once, GAP_MS (60) apart, each after the
//       window has shown the previous one; prints the number of copies
//   wine-copy-driver burst TEXTS [COUNT] [GAP_MS]
//       copies COUNT (100) texts GAP_MS (20) apart, then prints the
//       milliseconds from the last copy until line 0 shows that text and a
//       WM_NULL sent to the window returns
//   wine-copy-driver quit
//       ends Lexidrop (its exit command) or the bare viewer
// TEXTS is a UTF-8 file with one text per line. Without a Lexidrop window the
// paced copies only wait for the bare viewer to answer.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

constexpr char kLexidropClass[] = LEXIDROP_WINDOW_CLASS;
constexpr char kViewerClass[] = "LexidropBenchViewer";
constexpr int kListControlId = IDC_READING_LIST;
constexpr WPARAM kExitCommand = IDM_EXIT;
constexpr UINT kAnswerTimeoutMs = 60000;

std::wstring FromUtf8(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::vector<std::wstring> ReadTexts(const char* path)
{
    std::vector<std::wstring> texts;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) texts.push_back(FromUtf8(line));
    }
    return texts;
}

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void SleepUntil(double targetMs)
{
    const double left = targetMs - NowMs();
    if (left > 0) Sleep(static_cast<DWORD>(left));
}

// Puts `text` on the clipboard as Unicode text, retrying while another
// program holds the clipboard open.
bool Copy(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (OpenClipboard(nullptr)) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
            bool ok = false;
            if (block) {
                std::memcpy(GlobalLock(block), text.c_str(), bytes);
                GlobalUnlock(block);
                EmptyClipboard();
                ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
                if (!ok) GlobalFree(block);
            }
            CloseClipboard();
            return ok;
        }
        Sleep(1);
    }
    return false;
}

// True when `window` answers a WM_NULL within the timeout.
bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result) != 0;
}

// True when line 0 of Lexidrop's list is `text`, with or without its number.
bool Line0Is(HWND list, const std::wstring& text)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &length) ||
        static_cast<LRESULT>(length) < 0)
        return false;
    // Cross-process LB_GETTEXT is asked for in its Unicode form: Wine answers
    // the ANSI form with UTF-16 bytes.
    std::wstring line(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line.data()), SMTO_NORMAL,
                             kAnswerTimeoutMs, &got) ||
        static_cast<LRESULT>(got) < 0 || got > length)
        return false;
    line.resize(static_cast<size_t>(got));
    return line == text || line == L"0 " + text;
}

// Polls until line 0 shows `text`; false after `timeoutMs`.
bool WaitForLine0(HWND list, const std::wstring& text, double timeoutMs, double pollMs)
{
    const double end = NowMs() + timeoutMs;
    while (!Line0Is(list, text)) {
        if (NowMs() > end) return false;
        Sleep(static_cast<DWORD>(pollMs));
    }
    return true;
}

HWND FindList(HWND window)
{
    return window ? GetDlgItem(window, kListControlId) : nullptr;
}

int Paced(const std::vector<std::wstring>& texts, int gapMs)
{
    HWND window = FindWindowA(kLexidropClass, nullptr);
    if (!window) window = FindWindowA(kViewerClass, nullptr);
    const HWND list = FindList(FindWindowA(kLexidropClass, nullptr));
    if (!window) {
        std::fprintf(stderr, "no clipboard viewer window to drive\n");
        return 1;
    }
    int copies = 0;
    double next = NowMs();
    for (const std::wstring& text : texts) {
        SleepUntil(next);
        next = NowMs() + gapMs;
        if (!Copy(text)) return 1;
        const bool shown = list ? WaitForLine0(list, text, kAnswerTimeoutMs, 2) : Answers(window);
        if (!shown) {
            std::fprintf(stderr, "the window did not show copy %d\n", copies);
            return 1;
        }
        ++copies;
    }
    std::printf("%d\n", copies);
    return 0;
}

int Burst(const std::vector<std::wstring>& texts, int count, int gapMs)
{
    const HWND window = FindWindowA(kLexidropClass, nullptr);
    const HWND list = FindList(window);
    if (!list || texts.size() < 2) {
        std::fprintf(stderr, "no Lexidrop window, or fewer than two texts\n");
        return 1;
    }
    // The last text is copied only once, so an earlier copy of it cannot be
    // mistaken for the end of the burst.
    const size_t cycle = texts.size() - 1;
    double next = NowMs();
    double lastCopy = 0;
    for (int i = 0; i < count; ++i) {
        SleepUntil(next);
        next += gapMs;
        const std::wstring& text = i + 1 == count ? texts.back() : texts[static_cast<size_t>(i) % cycle];
        if (!Copy(text)) return 1;
        lastCopy = NowMs();
    }
    if (!WaitForLine0(list, texts.back(), 120000, 5) || !Answers(window)) {
        std::fprintf(stderr, "the window did not catch up\n");
        return 1;
    }
    std::printf("%.0f\n", NowMs() - lastCopy);
    return 0;
}

// The bare viewer: joins the chain and passes both chain messages on.
HWND nextViewer = nullptr;

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_DRAWCLIPBOARD:
            return nextViewer ? SendMessageW(nextViewer, message, wParam, lParam) : 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == nextViewer) {
                nextViewer = reinterpret_cast<HWND>(lParam);
            } else if (nextViewer) {
                SendMessageW(nextViewer, message, wParam, lParam);
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

int Viewer()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ViewerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kViewerClass;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowA(kViewerClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    if (!window) return 1;
    nextViewer = SetClipboardViewer(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    ChangeClipboardChain(window, nextViewer);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto number = [&](int index, int fallback) {
        return argc > index ? std::atoi(argv[index]) : fallback;
    };
    if (argc >= 2 && std::strcmp(argv[1], "viewer") == 0) return Viewer();
    if (argc >= 3 && std::strcmp(argv[1], "paced") == 0) return Paced(ReadTexts(argv[2]), number(3, 60));
    if (argc >= 3 && std::strcmp(argv[1], "burst") == 0)
        return Burst(ReadTexts(argv[2]), number(3, 100), number(4, 20));
    if (argc >= 2 && std::strcmp(argv[1], "quit") == 0) {
        if (HWND window = FindWindowA(kLexidropClass, nullptr))
            return PostMessageA(window, WM_COMMAND, kExitCommand, 0) ? 0 : 1;
        HWND viewer = FindWindowA(kViewerClass, nullptr);
        return viewer && PostMessageA(viewer, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    std::fprintf(
        stderr,
        "usage: wine-copy-driver viewer | paced TEXTS [GAP_MS] | burst TEXTS [COUNT] [GAP_MS] | quit\n");
    return 2;
}
