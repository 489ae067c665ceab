// Width, kana and case forms of a text, as the platform's string mapping
// (LCMapString with LCMAP_HALFWIDTH / FULLWIDTH, HIRAGANA / KATAKANA,
// LOWERCASE / UPPERCASE in a Japanese locale) gives them, for builds that
// have no such mapping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/map_flags.h"

namespace lexidrop {

// The mapped text; false (text untouched) for flags the mapping refuses:
// bits outside the six above, or both forms of one kind at once.
bool MapStringForms(std::uint32_t flags, std::u16string& text);

}  // namespace lexidrop
