#include "lookup/run_lookup.h"

namespace lexidrop {

bool RunLookup(TextSource& source, ReadingSource& readings, LineDisplay& display, std::uint32_t maxCandi,
               std::uint32_t mappingFlags, FuriganaSource* furigana)
{
    std::string text;
    if (!source.ReadText(text) || text.empty()) return false;
    ReadingList list;
    readings.Convert(maxCandi, mappingFlags, text, list);
    display.SetLines(text, list, furigana ? furigana->FuriganaLine(text, mappingFlags) : std::string());
    return true;
}

}  // namespace lexidrop
