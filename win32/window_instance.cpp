#include "win32/window_instance.h"

namespace lexidrop {

HINSTANCE WindowInstance(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

}  // namespace lexidrop
