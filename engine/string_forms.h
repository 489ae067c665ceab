// Width, kana and case forms of a text, as the platform's string mapping
// (LCMapString with LCMAP_HALFWIDTH / FULLWIDTH, HIRAGANA / KATAKANA,
// LOWERCASE / UPPERCASE in a Japanese locale) gives them, for builds that
// have no such mapping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexidrop {

inline constexpr std::uint32_t kMapLowerCase = 0x00000100;
inline constexpr std::uint32_t kMapUpperCase = 0x00000200;
inline constexpr std::uint32_t kMapHiragana = 0x00100000;
inline constexpr std::uint32_t kMapKatakana = 0x00200000;
inline constexpr std::uint32_t kMapHalfWidth = 0x00400000;
inline constexpr std::uint32_t kMapFullWidth = 0x00800000;

// The mapped text; false (text untouched) for flags the mapping refuses:
// bits outside the six above, or both forms of one kind at once.
bool MapStringForms(std::uint32_t flags, std::u16string& text);

}  // namespace lexidrop
