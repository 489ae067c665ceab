// UTF-8 characters one at a time, for the tool's own checks and conversions
// (inline: they run for every character of the input and the output).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexidrop::tool {

// Length of the UTF-8 character at text[at], with its value in c; 0 when the
// bytes there are no valid UTF-8 (overlong forms, surrogates and values
// beyond U+10FFFF included).
inline std::size_t Utf8CharLength(std::string_view text, std::size_t at, char32_t& c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (length == 0 || at + length > text.size()) return 0;
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    return length;
}
// Writes the UTF-8 form of c (1 to 4 bytes) at out; returns its length.
inline std::size_t PutUtf8(char32_t c, char* out)
{
    const auto put = [&](std::size_t at, char32_t bits) { out[at] = static_cast<char>(bits); };
    if (c < 0x80) {
        put(0, c);
        return 1;
    }
    if (c < 0x800) {
        put(0, 0xC0 | c >> 6);
        put(1, 0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        put(0, 0xE0 | c >> 12);
        put(1, 0x80 | (c >> 6 & 0x3F));
        put(2, 0x80 | (c & 0x3F));
        return 3;
    }
    put(0, 0xF0 | c >> 18);
    put(1, 0x80 | (c >> 12 & 0x3F));
    put(2, 0x80 | (c >> 6 & 0x3F));
    put(3, 0x80 | (c & 0x3F));
    return 4;
}

}  // namespace lexidrop::tool
