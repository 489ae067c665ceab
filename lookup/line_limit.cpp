#include "lookup/line_limit.h"

namespace lexidrop {

std::size_t LineLimitedLength(std::string_view text, std::uint32_t lineLimit)
{
    if (lineLimit == 0) return text.size();
    // Byte-wise is enough: no Shift-JIS trail byte is CR or LF.
    std::uint32_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        if (++breaks == lineLimit) return i;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return text.size();
}

}  // namespace lexidrop
