// The line limit of clipboard reads: how much of a text its first lines take.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexidrop {

// Length of the first `lineLimit` lines of `text` without the break that ends the last
// of them; CR LF, a lone CR and a lone LF each count as one break. 0 takes the whole text.
std::size_t LineLimitedLength(std::string_view text, std::uint32_t lineLimit);
// The same for Unicode text (UTF-16 on Windows), in units of `text`.
std::size_t LineLimitedLength(std::wstring_view text, std::uint32_t lineLimit);

}  // namespace lexidrop
