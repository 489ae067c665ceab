#include "lookup/run_lookup.h"

namespace lexidrop {

bool RunLookup(TextSource& source, ReadingSource& readings, LineDisplay& display, const Settings& settings,
               FuriganaSource* furigana)
{
    std::string text;
    if (!source.ReadText(text) || text.empty()) return false;
    ReadingList list;
    readings.Convert(settings.MaxCandi, MappingFlags(settings), text, list);
    std::string line;
    if (settings.Furigana != 0 && furigana) line = furigana->FuriganaLine(text, MappingFlags(settings));
    display.SetLines(text, list, line);
    return true;
}

}  // namespace lexidrop
