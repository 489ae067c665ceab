// Text-level lookup rules: cutting a text into chunks of at most 100 bytes,
// combining the chunks' readings up to a maximum count, and the conversion loop.
#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

// The owned readings of one lookup, in order.
using ReadingList = std::list<std::string>;
// One chunk's readings, borrowed from the converter until its next chunk.
using ChunkReadings = std::vector<std::string_view>;

// Most bytes of text sent to the reverse conversion at once.
inline constexpr std::size_t kChunkLimit = 100;

// Length in bytes of the next chunk of `rest`: the whole rest when it has at most
// 100 bytes; otherwise up to and including the last separator (LF, CR, TAB, space,
// or the Shift-JIS 　、。，．「」) that ends within the first 100 bytes, else 100.
std::size_t NextChunkLength(std::string_view rest);

// Combines one chunk's readings into `out`: appended as they are when `out` is
// empty, otherwise every earlier reading followed by every new one (the new
// readings vary slowest), stopping at `maxCandi` entries. Empty `readings`
// empty `out`. Cost is linear in the size of the result.
void MergeChunkReadings(ReadingList& out, const ChunkReadings& readings, std::uint32_t maxCandi);

// Gives the readings of one NUL-terminated chunk of at most 100 bytes.
class ChunkConverter {
public:
    virtual ~ChunkConverter() = default;
    // Fills `readings` (mapped, de-duplicated, in the converter's order); false when
    // nothing usable came back. The readings stay valid until the next call.
    virtual bool ConvertChunk(const char* chunk, ChunkReadings& readings) = 0;
};

// Fills `out` with the readings of `text`: chunk by chunk until a chunk fails,
// merged up to `maxCandi`, then without any reading equal to the whole text.
void ConvertText(std::string_view text, std::uint32_t maxCandi, ChunkConverter& converter, ReadingList& out);

}  // namespace lexidrop
