// Characters that Unicode text writes differently from the form code page 932
// (Shift-JIS) has for them. Browsers and Unicode editors give 〜 as U+301C,
// while code page 932 only converts U+FF5E; without this mapping such text
// loses the character on the way to Shift-JIS.
#pragma once

#include <string_view>

namespace lexidrop {

// The form of `c` that code page 932 converts; `c` itself for every other character.
char16_t ShiftJisForm(char16_t c);

// The form Unicode's compatibility decomposition (NFKC) gives a character
// code page 932 lacks, where that form is all characters it has: ² as 2, ㎥
// as m3, µ as μ, ㌔ as キロ, so that 3m² reads as square metres rather than
// losing its ². Empty for every other character.
std::u16string_view CompatibilityForm(char16_t c);

}  // namespace lexidrop
