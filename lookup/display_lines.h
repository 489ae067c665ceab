// Rules for the displayed lines, carried out on any list control: the source
// text as line 0, the readings below, optional line-number prefixes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "lookup/reading_pipeline.h"

namespace lexidrop {

// The list-control operations the display rules need (the Win32 list box in the program).
class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void ResetContent() = 0;
    // Adds a line (in sorted place when the control sorts); its index, or negative on failure.
    virtual int AddString(const std::string& text) = 0;
    // Inserts a line at `index`, never sorted; its index, or negative on failure.
    virtual int InsertString(int index, const std::string& text) = 0;
    // Deletes line `index`; the remaining count, or negative on failure.
    virtual int DeleteString(int index) = 0;
    // Number of lines, or negative on failure.
    virtual int GetCount() = 0;
    // Reads line `index` into `text`; false when there is no such line.
    virtual bool GetText(int index, std::string& text) = 0;
    // Makes `index` the caret line, scrolled into view; false on failure.
    virtual bool SetCaretIndex(int index) = 0;
    // Puts `prefix` before the text of line `index`, which keeps its place;
    // false on failure. By default the line is read, deleted and inserted again.
    virtual bool PrefixLine(int index, const std::string& prefix);
};

// Answers of the list's key notification.
inline constexpr int kKeyHandled = -2;  // the control does nothing more
inline constexpr int kKeyDefault = -1;  // the control's standard handling

// Most bytes of a line a list box is given. The list never scrolls sideways,
// so no screen shows more, and a huge line then costs the list box (filling
// it, painting it) no more than a long one; the whole line is kept beside it.
inline constexpr std::size_t kShownLineBytes = 4096;
// Length of the part of `line` a list box is given: the whole line, or its whole
// characters (after `isLeadByte`) within kShownLineBytes.
inline std::size_t ShownLength(std::string_view line, LeadByteRule isLeadByte)
{
    return line.size() <= kShownLineBytes ? line.size() : WholeCharacters(line, kShownLineBytes, isLeadByte);
}

// Two-byte prefix of line `index` when line numbers are on: "0 ".."9 ", then two spaces.
std::string LinePrefix(int index);

// Replaces all lines: readings added in order, the source inserted as line 0
// and a non-empty `furigana` as line 1 (so sorting never moves either),
// prefixes when `lineNumbers`, caret on line 0. False when a step fails (the
// steps done so far stay done).
bool SetDisplayLines(ListControl& control, const std::string& source, const ReadingList& readings,
                     bool lineNumbers, const std::string& furigana = {});

// The text of line `index` without its prefix when `lineNumbers`; `text` is
// emptied first; false when there is no such line.
bool GetDisplayLineText(ListControl& control, int index, bool lineNumbers, std::string& text);

// The answer to a key press on the list with the caret on `caret` of `count` lines:
// Enter is handled by the caller (kKeyHandled), Left on line 0 wraps to the last
// line, Right on the last line wraps to line 0, everything else is kKeyDefault.
int AnswerListKey(unsigned virtualKey, int caret, int count);

}  // namespace lexidrop
