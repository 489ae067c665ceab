// Reverse conversion by the IME of the active keyboard layout (ImmGetConversionListW).
#pragma once
#include "lookup/reverse_conversion.h"

namespace lexidrop {

class ImmReverseConversion : public ReverseConversion {
public:
    std::uint32_t GetReverseConversionList(void* keyboardLayout, void* inputContext, const char16_t* source,
                                           void* list, std::uint32_t size) override;
};

}  // namespace lexidrop
