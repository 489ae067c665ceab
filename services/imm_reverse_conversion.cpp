#include "services/imm_reverse_conversion.h"

#include <windows.h>
#include <imm.h>

#include <cstddef>

namespace lexidrop {

static_assert(sizeof(CandidateListHeader) == sizeof(CANDIDATELIST));
static_assert(offsetof(CandidateListHeader, dwCount) == offsetof(CANDIDATELIST, dwCount));
static_assert(offsetof(CandidateListHeader, dwOffset) == offsetof(CANDIDATELIST, dwOffset));
static_assert(sizeof(char16_t) == sizeof(WCHAR));

std::uint32_t ImmReverseConversion::GetReverseConversionList(void* keyboardLayout, void* inputContext,
                                                             const char16_t* source, void* list,
                                                             std::uint32_t size)
{
    return ImmGetConversionListW(static_cast<HKL>(keyboardLayout), static_cast<HIMC>(inputContext),
                                 reinterpret_cast<LPCWSTR>(source), static_cast<CANDIDATELIST*>(list), size,
                                 GCL_REVERSECONVERSION);
}

}  // namespace lexidrop
