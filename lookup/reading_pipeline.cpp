#include "lookup/reading_pipeline.h"

#include <cstring>

namespace lexidrop {
namespace {

// Separators tried at each position, in this order; two-byte ones are Shift-JIS.
constexpr std::string_view kChunkSeparators[] = {"\x0A",     "\x0D",     "\x09",     "\x20",
                                                 "\x81\x40", "\x81\x41", "\x81\x42", "\x81\x43",
                                                 "\x81\x44", "\x81\x75", "\x81\x76"};

}  // namespace

std::size_t WholeCharacters(std::string_view text, std::size_t limit, LeadByteRule isLeadByte)
{
    if (limit > text.size()) limit = text.size();
    std::size_t at = 0;
    while (at < limit) {
        const std::size_t step =
            isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (at + step > limit) break;
        at += step;
    }
    return at;
}

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t NextChunkLength(std::string_view rest, LeadByteRule isLeadByte)
{
    if (rest.size() <= kChunkLimit) return rest.size();
    const std::string_view window = rest.substr(0, kChunkLimit);
    // Scan backwards byte by byte; a separator counts only when it ends inside the window.
    for (std::size_t k = kChunkLimit; k-- > 0;) {
        for (const std::string_view separator : kChunkSeparators) {
            if (window.substr(k, separator.size()) == separator) return k + separator.size();
        }
    }
    return WholeCharacters(rest, kChunkLimit, isLeadByte);
}

void MergeChunkReadings(ReadingList& out, const ChunkReadings& readings, std::uint32_t maxCandi)
{
    if (out.empty()) {
        for (const std::string_view reading : readings) {
            if (out.size() >= maxCandi) break;
            out.emplace_back(reading);
        }
        return;
    }
    if (readings.empty()) {
        out.clear();
        return;
    }
    // The result is earlier[i % n] + readings[i / n] for i below the cap, n = out.size()
    // (never above the cap). Entries for the second and later readings are new copies;
    // once `out` is full none are made, and the first reading is appended in place, so
    // a long run of chunks costs only the growth of the strings themselves.
    while (out.size() > maxCandi) out.pop_back();
    ReadingList extra;
    std::size_t total = out.size();
    for (std::size_t j = 1; j < readings.size() && total < maxCandi; ++j) {
        for (auto it = out.begin(); it != out.end() && total < maxCandi; ++it, ++total) {
            std::string combined;
            combined.reserve(it->size() + readings[j].size());
            combined.append(*it).append(readings[j]);
            extra.push_back(std::move(combined));
        }
    }
    for (std::string& earlier : out) earlier.append(readings.front());
    out.splice(out.end(), extra);
}

void ConvertText(std::string_view text, std::uint32_t maxCandi, ChunkConverter& converter, ReadingList& out,
                 LeadByteRule isLeadByte)
{
    out.clear();
    maxCandi = ReadingLimit(maxCandi);
    ChunkReadings readings;
    char chunk[kChunkLimit + 1];
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t length = NextChunkLength(rest, isLeadByte);
        std::memcpy(chunk, rest.data(), length);
        chunk[length] = '\0';
        // A chunk without readings ends the conversion like a failed one: merging
        // it would drop the earlier chunks and pass the tail off as the whole.
        if (!converter.ConvertChunk(chunk, readings) || readings.empty()) break;
        MergeChunkReadings(out, readings, maxCandi);
        rest.remove_prefix(length);
    }
    // A reading identical to the source adds nothing to the display.
    out.remove_if([text](const std::string& reading) { return reading == text; });
}

}  // namespace lexidrop
