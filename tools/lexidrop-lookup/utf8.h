// UTF-8 characters one at a time, for the tool's own checks and conversions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexidrop::tool {

// Length of the UTF-8 character at text[at], with its value in c; 0 when the
// bytes there are no valid UTF-8 (overlong forms, surrogates and values
// beyond U+10FFFF included).
std::size_t Utf8CharLength(std::string_view text, std::size_t at, char32_t& c);
// Writes the UTF-8 form of c (1 to 4 bytes) at out; returns its length.
std::size_t PutUtf8(char32_t c, char* out);

}  // namespace lexidrop::tool
