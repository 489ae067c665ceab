// The readings of one lookup from the reverse conversion: the IME session
// around a whole text, and per chunk the candidate list (in a work buffer kept
// between chunks) converted to the ANSI code page, mapped (width, kana, case)
// and de-duplicated.
#pragma once
#include <windows.h>
#include <imm.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "services/imm_reverse_conversion.h"
#include "lookup/reading_pipeline.h"
#include "lookup/reverse_conversion.h"

namespace lexidrop {

class ReadingConverter {
public:
    // Uses the IME of the active keyboard layout.
    ReadingConverter();
    // Uses `conversion` (which must outlive the converter) instead of the IME; texts and
    // readings are in `codePage` (the ANSI code page of the clipboard's CF_TEXT by default).
    explicit ReadingConverter(ReverseConversion& conversion, UINT codePage = CP_ACP);
    ReadingConverter(const ReadingConverter&) = delete;
    ReadingConverter& operator=(const ReadingConverter&) = delete;

    // Fills `out` with at most `maxCandi` readings of `text` (see ConvertText), using the
    // input context of `window` and the calling thread's keyboard layout.
    void Convert(HWND window, std::uint32_t maxCandi, std::uint32_t mappingFlags, const std::string& text,
                 ReadingList& out);

    // Whether the conversion gives a candidate list for the first chunk of `text`,
    // asked with the input context of `window` and the calling thread's keyboard layout.
    bool AnswersFirstChunk(HWND window, const std::string& text);

    // Drops the work buffer and sets the limits used by the following chunks.
    void Reset(std::uint32_t maxCandi, std::uint32_t mappingFlags);
    // The mapped, de-duplicated readings of one NUL-terminated chunk of at most 100 bytes,
    // valid until the next call; false when the conversion gave nothing usable.
    bool ConvertChunk(bool nt, HIMC context, HKL layout, const char* chunk, ChunkReadings& readings);
    // The mapped form of `reading`; the reading itself when the flags are 0 or the
    // mapping is refused.
    std::string MapReading(const std::string& reading) const;

    // Candidate-list size the current work buffer was made for (0: no buffer).
    std::uint32_t WorkBufferUnit() const { return unit_; }

private:
    // The chunk as the conversion takes it: UTF-16 on NT, else its bytes as they
    // are (the zeroed tail ends them as a UTF-16 string too); false when it cannot
    // be converted.
    bool ChunkSource(bool nt, const char* chunk, char16_t (&source)[kChunkLimit + 1]) const;
    // `length` UTF-16 units in the converter's code page.
    std::string ToCodePage(const wchar_t* text, std::size_t length) const;

    UINT codePage_ = CP_ACP;
    std::unique_ptr<BYTE[]> buffer_;  // the candidate list
    std::vector<std::string> store_;  // the chunk's readings handed out
    std::uint32_t unit_ = 0;
    std::uint32_t maxCandi_ = 0;
    std::uint32_t mappingFlags_ = 0;
    ImmReverseConversion imm_;
    ReverseConversion& conversion_;
};

}  // namespace lexidrop
