// Conversions between Unicode text and the program's code page (CP_ACP: 932
// wherever Lexidrop runs as intended).
#pragma once
#include <string>
#include <string_view>

namespace lexidrop {

// Unicode text in the program's code page. Characters that Unicode writes
// differently from the code page's form of them are taken in that form;
// characters it lacks become its default character, one for each character.
std::string ToProgramCodePage(std::wstring_view unicode);
// Text in the program's code page as Unicode.
std::wstring FromProgramCodePage(std::string_view text);

}  // namespace lexidrop
