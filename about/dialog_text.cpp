#include "about/dialog_text.h"

namespace lexidrop {

std::string LoadDialogText(HINSTANCE module, UINT id)
{
    // The longest text (a two-line tooltip) takes under 300 bytes.
    char buffer[1024];
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

HINSTANCE WindowInstance(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

}  // namespace lexidrop
