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
    // Replaces all displayed lines (`furigana`: the furigana line, empty for
    // none); false when the display failed part-way.
    virtual bool SetLines(const std::string& source, const ReadingList& readings,
                          const std::string& furigana) = 0;
};

// Gives the furigana line of a text (from the built-in engine in the program).
class FuriganaSource {
public:
    virtual ~FuriganaSource() = default;
    // The line for `text` with readings mapped by `mappingFlags`; empty when
    // there is none to show.
    virtual std::string FuriganaLine(const std::string& text, std::uint32_t mappingFlags) = 0;
};

// Reads the text, converts it into at most `maxCandi` readings mapped by `mappingFlags`
// and shows it, with the furigana line from `furigana` when there is one (the
// Furigana setting is on and an engine available). False when there was no text or
// an empty one: the display is then untouched. True otherwise, even when the
// display failed.
bool RunLookup(TextSource& source, ReadingSource& readings, LineDisplay& display, std::uint32_t maxCandi,
               std::uint32_t mappingFlags, FuriganaSource* furigana = nullptr);

}  // namespace lexidrop
