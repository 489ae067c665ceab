#include "lookup/line_limit.h"

namespace lexidrop {
namespace {

template <typename Char>
std::size_t LimitedLength(std::basic_string_view<Char> text, std::uint32_t lineLimit)
{
    if (lineLimit == 0) return text.size();
    // Unit by unit is enough: no Shift-JIS trail byte and no UTF-16 surrogate is CR or LF.
    std::uint32_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n')) continue;
        if (++breaks == lineLimit) return i;
        if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
    }
    return text.size();
}

}  // namespace

std::size_t LineLimitedLength(std::string_view text, std::uint32_t lineLimit)
{
    return LimitedLength(text, lineLimit);
}

std::size_t LineLimitedLength(std::wstring_view text, std::uint32_t lineLimit)
{
    return LimitedLength(text, lineLimit);
}

}  // namespace lexidrop
