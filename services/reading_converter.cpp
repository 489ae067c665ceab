// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "services/reading_converter.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <optional>
#include <string_view>
#include <unordered_set>
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

// The chunk cut's rule for the system's ANSI code page, the code page of the
// clipboard's CF_TEXT.
bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

// Whether chunks go to the conversion in UTF-16 (NT) or in the ANSI code page;
// nullopt when the system version cannot be told.
std::optional<bool> IsNt()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return std::nullopt;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

ReadingConverter::ReadingConverter() : conversion_(imm_) {}

ReadingConverter::ReadingConverter(ReverseConversion& conversion, UINT codePage)
    : codePage_(codePage), conversion_(conversion)
{
}

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
    const std::optional<bool> nt = IsNt();
    if (!nt) return;
    {
        ScopedInputContext context(window);
        ChunkSession session(*this, *nt, context.Get(), GetKeyboardLayout(0));
        ConvertText(text, maxCandi_, session, out, IsAnsiLeadByte);
    }
    Reset(maxCandi_, mappingFlags_);
} catch (const std::bad_alloc&) {
    out.clear();
    Reset(maxCandi_, mappingFlags_);
}

bool ReadingConverter::AnswersFirstChunk(HWND window, const std::string& text)
try {
    const std::optional<bool> nt = IsNt();
    if (text.empty() || !nt) return false;
    const std::string chunk = text.substr(0, NextChunkLength(text, IsAnsiLeadByte));
    char16_t source[kChunkLimit + 1] = {};
    if (!ChunkSource(*nt, chunk.c_str(), source)) return false;
    ScopedInputContext context(window);
    return conversion_.GetReverseConversionList(GetKeyboardLayout(0), context.Get(), source, nullptr, 0) != 0;
} catch (const std::bad_alloc&) {
    return false;
}

bool ReadingConverter::ChunkSource(bool nt, const char* chunk, char16_t (&source)[kChunkLimit + 1]) const
{
    // 101 units hold a 100-byte chunk and its terminator.
    if (!nt) {
        std::memcpy(source, chunk, strnlen(chunk, kChunkLimit));
        return true;
    }
    return MultiByteToWideChar(codePage_, 0, chunk, -1, reinterpret_cast<LPWSTR>(source),
                               static_cast<int>(kChunkLimit + 1)) != 0;
}

bool ReadingConverter::ConvertChunk(bool nt, HIMC context, HKL layout, const char* chunk,
                                    ChunkReadings& readings)
try {
    readings.clear();
    store_.clear();
    char16_t source[kChunkLimit + 1] = {};
    if (!ChunkSource(nt, chunk, source)) return false;

    const std::uint32_t size = conversion_.GetReverseConversionList(layout, context, source, nullptr, 0);
    // A size that cannot hold a list header is no list at all.
    if (size < sizeof(CANDIDATELIST)) return false;
    if (buffer_ && unit_ < size) {
        buffer_.reset();
        unit_ = 0;
    }
    if (!buffer_) {
        buffer_.reset(new (std::nothrow) BYTE[size]);
        if (!buffer_) return false;
        unit_ = size;
    }
    BYTE* const buffer = buffer_.get();
    std::memset(buffer, 0, size);
    auto* const list = reinterpret_cast<CANDIDATELIST*>(buffer);
    list->dwSize = size;
    list->dwStyle = IME_CAND_MEANING;
    conversion_.GetReverseConversionList(layout, context, source, list, size);

    // Only candidates whose string lies wholly inside the list are used. Each is
    // converted and mapped into a string of the length the conversion reports, so no
    // code page (up to four bytes a character) can make it outgrow its room.
    const std::uint32_t offsetRoom = (size - kHeaderSize) / sizeof(DWORD);
    const std::uint32_t count = list->dwCount < offsetRoom ? list->dwCount : offsetRoom;
    store_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = list->dwOffset[i];
        if (offset < kHeaderSize + count * sizeof(DWORD) || offset % 2 != 0 || offset >= size) continue;
        const auto* const text = reinterpret_cast<const wchar_t*>(buffer + offset);
        const std::size_t room = (size - offset) / sizeof(wchar_t);
        const std::size_t length = wcsnlen(text, room);
        if (length == room) continue;  // not terminated inside the list
        store_.push_back(MapReading(ToCodePage(text, length)));
    }
    // Equal readings (often equal only after mapping) are shown once, the first kept.
    std::unordered_set<std::string_view> seen;
    seen.reserve(store_.size());
    for (const std::string& reading : store_) {
        if (seen.insert(reading).second) readings.push_back(reading);
    }
    return true;
} catch (const std::bad_alloc&) {
    readings.clear();
    store_.clear();
    return false;
}

std::string ReadingConverter::ToCodePage(const wchar_t* text, std::size_t length) const
{
    if (length == 0) return {};
    const int wide = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(codePage_, 0, text, wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    const int written = WideCharToMultiByte(codePage_, 0, text, wide, out.data(), bytes, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::string ReadingConverter::MapReading(const std::string& reading) const
{
    if (mappingFlags_ == 0 || reading.empty()) return reading;
    const LCID locale = GetUserDefaultLCID();
    const int length = static_cast<int>(reading.size());
    const int needed = LCMapStringA(locale, mappingFlags_, reading.data(), length, nullptr, 0);
    if (needed <= 0) return reading;  // a refused combination leaves the reading as it is
    std::string mapped(static_cast<std::size_t>(needed), '\0');
    const int written = LCMapStringA(locale, mappingFlags_, reading.data(), length, mapped.data(), needed);
    if (written <= 0) return reading;
    // Flags outside the mapping table (a sort key, say) may leave NULs in the result.
    mapped.resize(strnlen(mapped.data(), static_cast<std::size_t>(written)));
    return mapped;
}

}  // namespace lexidrop
