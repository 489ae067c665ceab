// One chunk's readings from the built-in engine, in Shift-JIS, mapped and
// de-duplicated like the IME's readings in the program.
#pragma once

#include "engine/reading_engine.h"
#include "lookup/reading_pipeline.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexidrop::tool {

class EngineChunkConverter : public ChunkConverter {
public:
    EngineChunkConverter(ReadingEngine& engine, std::uint32_t maxCandi, std::uint32_t mappingFlags)
        : engine_(engine), maxCandi_(ReadingLimit(maxCandi)), mappingFlags_(mappingFlags)
    {
    }

    bool ConvertChunk(const char* chunk, ChunkReadings& readings) override;

private:
    ReadingEngine& engine_;
    std::uint32_t maxCandi_;
    std::uint32_t mappingFlags_;
    std::vector<std::string> store_;  // the readings handed out, until the next chunk
};

}  // namespace lexidrop::tool
