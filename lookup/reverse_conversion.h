// The reverse-conversion service a lookup asks for the readings of one chunk:
// the IME by default, or any other engine with the same contract.
#pragma once
#include <cstdint>

namespace lexidrop {

// Byte layout of the candidate list a reverse conversion fills (the same as
// Win32's CANDIDATELIST): a header of 32-bit fields, then `dwCount` offsets,
// each the byte offset from the start of the list of a NUL-terminated UTF-16
// reading. Only dwCount and dwOffset are read by the lookup.
struct CandidateListHeader {
    std::uint32_t dwSize;
    std::uint32_t dwStyle;
    std::uint32_t dwCount;
    std::uint32_t dwSelection;
    std::uint32_t dwPageStart;
    std::uint32_t dwPageSize;
    std::uint32_t dwOffset[1];
};

// Contract of ImmGetConversionListW(layout, context, source, list, size, GCL_REVERSECONVERSION).
class ReverseConversion {
public:
    virtual ~ReverseConversion() = default;

    // `source` is a NUL-terminated UTF-16 text; `keyboardLayout` and `inputContext`
    // are the HKL and HIMC of the calling thread (either may be null).
    // With `list` null and `size` 0: returns the byte size the candidate list
    // needs, 0 when there is no reverse conversion for the text.
    // With a zeroed `list` of `size` bytes (dwSize and dwStyle preset): fills it
    // and returns the number of bytes written, 0 when nothing was written.
    virtual std::uint32_t GetReverseConversionList(void* keyboardLayout, void* inputContext,
                                                   const char16_t* source, void* list,
                                                   std::uint32_t size) = 0;
};

}  // namespace lexidrop
