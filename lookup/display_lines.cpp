#include "lookup/display_lines.h"

namespace lexidrop {
namespace {

constexpr unsigned kKeyReturn = 0x0D;
constexpr unsigned kKeyLeft = 0x25;
constexpr unsigned kKeyRight = 0x27;

}  // namespace

bool ListControl::PrefixLine(int index, const std::string& prefix)
{
    std::string line;
    if (!GetText(index, line)) return false;
    if (DeleteString(index) < 0) return false;
    return InsertString(index, prefix + line) >= 0;
}

std::string LinePrefix(int index)
{
    if (index >= 0 && index <= 9) return std::string(1, static_cast<char>('0' + index)) + ' ';
    return "  ";
}

bool SetDisplayLines(ListControl& control, const std::string& source, const ReadingList& readings,
                     bool lineNumbers, const std::string& furigana)
{
    control.ResetContent();
    for (const std::string& reading : readings) {
        if (control.AddString(reading) < 0) return false;
    }
    if (!furigana.empty() && control.InsertString(0, furigana) < 0) return false;
    if (control.InsertString(0, source) < 0) return false;
    if (lineNumbers) {
        const int count = control.GetCount();
        if (count < 0) return false;
        for (int i = 0; i < count; ++i) {
            if (!control.PrefixLine(i, LinePrefix(i))) return false;
        }
    }
    return control.SetCaretIndex(0);
}

bool GetDisplayLineText(ListControl& control, int index, bool lineNumbers, std::string& text)
{
    text.clear();
    if (index < 0 || !control.GetText(index, text)) {
        text.clear();
        return false;
    }
    if (lineNumbers) text.erase(0, 2);
    return true;
}

int AnswerListKey(unsigned virtualKey, int caret, int count)
{
    if (virtualKey == kKeyReturn) return kKeyHandled;
    if (virtualKey == kKeyLeft && count >= 1 && caret == 0) return count - 1;
    if (virtualKey == kKeyRight && count >= 1 && caret + 1 >= count) return 0;
    return kKeyDefault;
}

}  // namespace lexidrop
