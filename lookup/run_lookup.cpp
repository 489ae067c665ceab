#include "lookup/run_lookup.h"

namespace lexidrop {

bool RunLookup(TextSource& source, ReadingSource& readings, LineDisplay& display, const Settings& settings)
{
    std::string text;
    if (!source.ReadText(text) || text.empty()) return false;
    ReadingList list;
    readings.Convert(settings.MaxCandi, MappingFlags(settings), text, list);
    display.SetLines(text, list);
    return true;
}

}  // namespace lexidrop
