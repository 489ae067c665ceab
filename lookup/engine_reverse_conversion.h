// The built-in engine behind the reverse-conversion contract the lookup uses
// for the IME: a size query, then a candidate list (CANDIDATELIST layout,
// UTF-16 readings) filled into a buffer of that size.
#pragma once

#include "engine/reading_engine.h"
#include "lookup/reading_pipeline.h"
#include "lookup/reverse_conversion.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexidrop {

class EngineReverseConversion : public ReverseConversion {
public:
    // engine must outlive this object.
    explicit EngineReverseConversion(ReadingEngine& engine, std::uint32_t maxReadings = 20)
        : engine_(engine), maxReadings_(ReadingLimit(maxReadings))
    {
    }

    // Most readings per list (the lookup's MaxCandi suits).
    void SetMaxReadings(std::uint32_t maxReadings) { maxReadings_ = ReadingLimit(maxReadings); }

    std::uint32_t GetReverseConversionList(void* keyboardLayout, void* inputContext, const char16_t* source,
                                           void* list, std::uint32_t size) override;

private:
    // Builds list_ for source unless it is already built for it with the current limit.
    void Build(const std::u16string& source);

    ReadingEngine& engine_;
    std::uint32_t maxReadings_;
    std::u16string builtFor_;
    std::uint32_t builtMax_ = 0;
    bool built_ = false;
    std::vector<unsigned char> list_;
};

// Readings go on to the Shift-JIS code page: the hiragana that has no form
// there (ゔ, ゕ, ゖ) becomes its katakana.
std::u16string ForShiftJis(std::u16string reading);

}  // namespace lexidrop
