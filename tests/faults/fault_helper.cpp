// A misbehaving neighbour for the end-to-end tests, started as its own process:
//
//   fault_helper EVENT hold-clipboard MS   opens the clipboard, holds it MS ms
//   fault_helper EVENT viewer              joins the clipboard-viewer chain and
//                                          serves it until it is killed
//   fault_helper EVENT hung-viewer         joins the chain and stops taking
//                                          messages
//
// Each sets the named event EVENT once it is in place, so that the test knows
// the fault is there before it acts. A killed viewer never leaves the chain.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

HWND nextViewer = nullptr;

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_DRAWCLIPBOARD:
            if (nextViewer != nullptr) SendMessageA(nextViewer, message, wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == nextViewer)
                nextViewer = reinterpret_cast<HWND>(lParam);
            else if (nextViewer != nullptr)
                SendMessageA(nextViewer, message, wParam, lParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND JoinChain()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ViewerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LexidropFaultViewer";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("LexidropFaultViewer", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    if (window != nullptr) nextViewer = SetClipboardViewer(window);
    return window;
}

void Signal(const char* name)
{
    if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    const char* event = argv[1];
    const char* mode = argv[2];
    if (std::strcmp(mode, "hold-clipboard") == 0 && argc == 4) {
        while (!OpenClipboard(nullptr)) Sleep(1);
        Signal(event);
        Sleep(static_cast<DWORD>(std::atoi(argv[3])));
        CloseClipboard();
        return 0;
    }
    if (std::strcmp(mode, "viewer") == 0 || std::strcmp(mode, "hung-viewer") == 0) {
        if (JoinChain() == nullptr) return 1;
        Signal(event);
        if (std::strcmp(mode, "hung-viewer") == 0) Sleep(INFINITE);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        return 0;
    }
    return 2;
}
