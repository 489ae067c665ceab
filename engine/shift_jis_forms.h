// Characters that Unicode text writes differently from the form code page 932
// (Shift-JIS) has for them. Browsers and Unicode editors give 〜 as U+301C,
// while code page 932 only converts U+FF5E; without this mapping such text
// loses the character on the way to Shift-JIS.
#pragma once

namespace lexidrop {

// The form of `c` that code page 932 converts; `c` itself for every other character.
char16_t ShiftJisForm(char16_t c);

}  // namespace lexidrop
