#include "engine_chunk_converter.h"

#include "lookup/engine_reverse_conversion.h"
#include "engine/string_forms.h"
#include "platform.h"

#include <string_view>
#include <unordered_set>

namespace lexidrop::tool {

bool EngineChunkConverter::ConvertChunk(const char* chunk, ChunkReadings& readings)
{
    readings.clear();
    store_.clear();
    std::vector<std::u16string> found = engine_.Readings(ShiftJisToUtf16(chunk), maxCandi_);
    if (found.empty()) return false;
    for (auto& reading : found) {
        std::u16string mapped = ForShiftJis(reading);
        // As with the system mapping, a refused combination leaves the reading as it is.
        if (mappingFlags_ != 0 && !MapStringForms(mappingFlags_, mapped)) mapped = ForShiftJis(reading);
        store_.push_back(Utf16ToShiftJis(mapped));
    }
    // Mapping can make readings equal; each is kept once, in order.
    std::unordered_set<std::string_view> seen;
    for (const auto& s : store_)
        if (seen.insert(s).second) readings.push_back(s);
    return true;
}

}  // namespace lexidrop::tool
