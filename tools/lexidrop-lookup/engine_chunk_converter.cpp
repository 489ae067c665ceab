#include "engine_chunk_converter.h"

#include "lookup/engine_reverse_conversion.h"
#include "engine/string_forms.h"
#include "platform.h"

#include <algorithm>

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
        std::string sjis = Utf16ToShiftJis(mapped);
        if (std::find(store_.begin(), store_.end(), sjis) == store_.end()) store_.push_back(std::move(sjis));
    }
    for (const auto& s : store_) readings.push_back(s);
    return true;
}

}  // namespace lexidrop::tool
