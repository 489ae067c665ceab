// One lookup run from the clipboard text to the displayed lines, over the
// three platform operations it needs.
#pragma once
#include <cstdint>
#include <string>

#include "lookup/reading_pipeline.h"

namespace lexidrop {

// Where the text of a lookup comes from (the clipboard in the program).
class TextSource {
public:
    virtual ~TextSource() = default;
    // Fills `text`; false (and `text` empty) when there is no text to read.
    virtual bool ReadText(std::string& text) = 0;
};

// Turns a text into its readings (the reverse conversion of one lookup).
class ReadingSource {
public:
    virtual ~ReadingSource() = default;
    // Fills `out` with at most `maxCandi` readings of `text`, mapped by `mappingFlags`.
    virtual void Convert(std::uint32_t maxCandi, std::uint32_t mappingFlags, const std::string& text,
                         ReadingList& out) = 0;
};

// Shows the source text and its readings (the list window in the program).
class LineDisplay {
public:
    virtual ~LineDisplay() = default;
    // Replaces all displayed lines; false when the display failed part-way.
    virtual bool SetLines(const std::string& source, const ReadingList& readings) = 0;
};

// Reads the text, converts it into at most `maxCandi` readings mapped by `mappingFlags`
// and shows it. False when there was no text or an empty one: the display is then
// untouched. True otherwise, even when the display failed.
bool RunLookup(TextSource& source, ReadingSource& readings, LineDisplay& display, std::uint32_t maxCandi,
               std::uint32_t mappingFlags);

}  // namespace lexidrop
