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

// Most readings a lookup produces, whatever larger limit is stored (the
// settings dialog's largest value): bounds the work of every conversion.
inline constexpr std::uint32_t kMostReadings = 99;
inline std::uint32_t ReadingLimit(std::uint32_t maxCandi)
{
    return maxCandi < kMostReadings ? maxCandi : kMostReadings;
}

// Whether a byte starts a two-byte character in the text's code page.
using LeadByteRule = bool (*)(unsigned char byte);
// The rule of Shift-JIS (code page 932).
bool IsShiftJisLeadByte(unsigned char byte);
// Bytes of the whole characters of `text` that end within its first `limit` bytes.
std::size_t WholeCharacters(std::string_view text, std::size_t limit, LeadByteRule isLeadByte);

// Length in bytes of the next chunk of `rest`: the whole rest when it has at most
// 100 bytes; otherwise up to and including the last separator (LF, CR, TAB, space,
// or the Shift-JIS 　、。，．「」) that ends within the first 100 bytes, else the
// whole characters (after `isLeadByte`) within the first 100 bytes.
std::size_t NextChunkLength(std::string_view rest, LeadByteRule isLeadByte = IsShiftJisLeadByte);

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

// Fills `out` with the readings of `text`: chunk by chunk until a chunk fails or
// gives no reading, merged up to ReadingLimit(maxCandi), then without any reading
// equal to the whole text. Chunks are cut after `isLeadByte`.
void ConvertText(std::string_view text, std::uint32_t maxCandi, ChunkConverter& converter, ReadingList& out,
                 LeadByteRule isLeadByte = IsShiftJisLeadByte);

}  // namespace lexidrop
