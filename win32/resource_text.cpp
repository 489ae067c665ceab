#include "win32/resource_text.h"

namespace lexidrop {

std::string LoadResourceText(HINSTANCE module, UINT id)
{
    char buffer[512];
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    if (length <= 0) {
        return std::string();
    }
    return std::string(buffer, static_cast<size_t>(length));
}

}  // namespace lexidrop
