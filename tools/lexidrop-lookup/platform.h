// What the command-line lookup needs from the platform: code page
// conversions between UTF-8, UTF-16 and Shift-JIS (code page 932), its own
// folder and its arguments as UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexidrop::tool {

// UTF-8 to Shift-JIS; false for bad UTF-8 or a character Shift-JIS lacks.
bool Utf8ToShiftJis(std::string_view utf8, std::string& out);
// Shift-JIS to UTF-8 (the program's own strings, always valid).
std::string ShiftJisToUtf8(std::string_view sjis);
// Shift-JIS to UTF-16; bytes that form no character become a replacement character.
std::u16string ShiftJisToUtf16(std::string_view sjis);
// UTF-16 to Shift-JIS; characters it lacks become '?'.
std::string Utf16ToShiftJis(std::u16string_view text);

// Folder of the running program, with a trailing separator ("" when unknown).
std::string ProgramFolder();
// The command-line arguments after the program name, as UTF-8.
std::vector<std::string> Arguments(int argc, char** argv);
// Prepares the standard streams for raw UTF-8 bytes.
void UseBinaryStreams();

}  // namespace lexidrop::tool
