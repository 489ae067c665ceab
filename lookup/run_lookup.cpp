#include "lookup/run_lookup.h"

namespace lexidrop {

bool RunLookup(TextSource& source, ReadingSource& readings, LineDisplay& display, std::uint32_t maxCandi,
               std::uint32_t mappingFlags)
{
    std::string text;
    if (!source.ReadText(text) || text.empty()) return false;
    ReadingList list;
    readings.Convert(maxCandi, mappingFlags, text, list);
    display.SetLines(text, list);
    return true;
}

}  // namespace lexidrop
