// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "services/reading_converter.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

#include "win32/scoped_win.h"

namespace lexidrop {
namespace {

// Binds one lookup's IME session to the chunk loop.
class ChunkSession : public ChunkConverter {
public:
    ChunkSession(ReadingConverter& converter, bool nt, HIMC context, HKL layout)
        : converter_(converter), nt_(nt), context_(context), layout_(layout)
    {
    }
    bool ConvertChunk(const char* chunk, ChunkReadings& readings) override
    {
        return converter_.ConvertChunk(nt_, context_, layout_, chunk, readings);
    }

private:
    ReadingConverter& converter_;
    bool nt_;
    HIMC context_;
    HKL layout_;
};

constexpr std::uint32_t kHeaderSize = offsetof(CANDIDATELIST, dwOffset);

}  // namespace

ReadingConverter::ReadingConverter() : conversion_(imm_) {}

ReadingConverter::ReadingConverter(ReverseConversion& conversion) : conversion_(conversion) {}

void ReadingConverter::Reset(std::uint32_t maxCandi, std::uint32_t mappingFlags)
{
    buffer_.reset();
    unit_ = 0;
    maxCandi_ = maxCandi;
    mappingFlags_ = mappingFlags;
}

void ReadingConverter::Convert(HWND window, std::uint32_t maxCandi, std::uint32_t mappingFlags,
                               const std::string& text, ReadingList& out)
try {
    Reset(maxCandi, mappingFlags);
    out.clear();
    if (text.empty()) return;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return;
    const bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    {
        ScopedInputContext context(window);
        ChunkSession session(*this, nt, context.Get(), GetKeyboardLayout(0));
        ConvertText(text, maxCandi_, session, out);
    }
    Reset(maxCandi_, mappingFlags_);
} catch (const std::bad_alloc&) {
    out.clear();
    Reset(maxCandi_, mappingFlags_);
}

bool ReadingConverter::ConvertChunk(bool nt, HIMC context, HKL layout, const char* chunk,
                                    ChunkReadings& readings)
try {
    readings.clear();
    // 101 units hold a 100-byte chunk and its terminator. Without NT the chunk's bytes are
    // handed over as they are; the zeroed tail then ends them as a UTF-16 string too.
    char16_t source[kChunkLimit + 1] = {};
    if (nt) {
        if (MultiByteToWideChar(CP_ACP, 0, chunk, -1, reinterpret_cast<LPWSTR>(source),
                                static_cast<int>(kChunkLimit + 1)) == 0) {
            return false;
        }
    } else {
        std::memcpy(source, chunk, strnlen(chunk, kChunkLimit));
    }

    const std::uint32_t size = conversion_.GetReverseConversionList(layout, context, source, nullptr, 0);
    // A size that cannot hold a list header is no list at all.
    if (size < sizeof(CANDIDATELIST) || size > SIZE_MAX / 3) return false;
    const std::size_t bufferSize = std::size_t{3} * size;
    if (buffer_ && unit_ < size) {
        buffer_.reset();
        unit_ = 0;
    }
    if (!buffer_) {
        buffer_.reset(new (std::nothrow) BYTE[bufferSize]);
        if (!buffer_) return false;
        unit_ = size;
    }
    BYTE* const buffer = buffer_.get();
    std::memset(buffer, 0, bufferSize);

    // Region 1 (0..S-1): ANSI readings; region 2 (S..2S-1): the candidate list;
    // mapped readings at S + 2 * offset, which the list's header never reaches.
    auto* const list = reinterpret_cast<CANDIDATELIST*>(buffer + size);
    list->dwSize = size;
    list->dwStyle = IME_CAND_MEANING;
    conversion_.GetReverseConversionList(layout, context, source, list, size);

    // Only candidates whose string lies wholly inside the list are used.
    const std::uint32_t offsetRoom = (size - kHeaderSize) / sizeof(DWORD);
    const std::uint32_t count = list->dwCount < offsetRoom ? list->dwCount : offsetRoom;
    std::vector<std::uint32_t> offsets;
    offsets.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = list->dwOffset[i];
        if (offset < kHeaderSize + count * sizeof(DWORD) || offset % 2 != 0 || offset >= size) continue;
        const auto* const text = reinterpret_cast<const wchar_t*>(buffer + size + offset);
        const std::size_t room = (size - offset) / sizeof(wchar_t);
        const std::size_t length = wcsnlen(text, room);
        if (length == room) continue;  // not terminated inside the list
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length + 1),
                            reinterpret_cast<char*>(buffer + offset), static_cast<int>(2 * length + 2),
                            nullptr, nullptr);
        offsets.push_back(offset);
    }

    std::vector<std::string_view> mapped;
    mapped.reserve(offsets.size());
    for (const std::uint32_t offset : offsets) {
        char* const slot = reinterpret_cast<char*>(buffer + size + 2 * std::size_t{offset});
        MapReading(reinterpret_cast<const char*>(buffer + offset), slot);
        const std::string_view reading(slot);
        bool seen = false;
        for (const std::string_view earlier : mapped) seen = seen || earlier == reading;
        mapped.push_back(reading);
        if (!seen) readings.push_back(reading);
    }
    return true;
} catch (const std::bad_alloc&) {
    readings.clear();
    return false;
}

void ReadingConverter::MapReading(const char* source, char* destination) const
{
    if (mappingFlags_ != 0) {
        const int capacity = 2 * lstrlenA(source) + 2;
        if (LCMapStringA(GetUserDefaultLCID(), mappingFlags_, source, -1, destination, capacity) > 0) {
            // Flags outside the mapping table (a sort key, say) need not end in a NUL.
            destination[capacity - 1] = '\0';
            return;
        }
    }
    lstrcpyA(destination, source);
}

}  // namespace lexidrop
