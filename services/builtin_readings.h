// The built-in engine as the program holds it: the dictionary is opened on
// first use and kept for the whole run. A missing or damaged dictionary means
// no built-in readings, silently, and is not tried again.
#pragma once

#include "engine/dictionary.h"
#include "lookup/engine_reverse_conversion.h"
#include "engine/reading_engine.h"
#include "lookup/reverse_conversion.h"

#include <memory>
#include <string>

namespace lexidrop {

class BuiltInReadings {
public:
    explicit BuiltInReadings(std::string dictionaryPath) : path_(std::move(dictionaryPath)) {}

    // The engine's reverse conversion, or null when the dictionary cannot be used.
    EngineReverseConversion* Conversion();
    // The engine itself, or null when the dictionary cannot be used.
    ReadingEngine* Engine();
    // The dictionary, for engines of other threads; null when it cannot be used.
    const Dictionary* DictionaryInUse();

private:
    std::string path_;
    bool tried_ = false;
    std::unique_ptr<Dictionary> dictionary_;
    std::unique_ptr<ReadingEngine> engine_;
    std::unique_ptr<EngineReverseConversion> conversion_;
};

// Asks `first`; where it has no reverse conversion for a text, `second`.
// Each filling call goes to the one that answered the size query for the same text.
class FallbackReverseConversion : public ReverseConversion {
public:
    FallbackReverseConversion(ReverseConversion& first, ReverseConversion& second)
        : first_(first), second_(second)
    {
    }
    std::uint32_t GetReverseConversionList(void* keyboardLayout, void* inputContext, const char16_t* source,
                                           void* list, std::uint32_t size) override
    {
        std::uint32_t answer =
            first_.GetReverseConversionList(keyboardLayout, inputContext, source, nullptr, 0);
        if (answer != 0)
            return list ? first_.GetReverseConversionList(keyboardLayout, inputContext, source, list, size)
                        : answer;
        return second_.GetReverseConversionList(keyboardLayout, inputContext, source, list, size);
    }

private:
    ReverseConversion& first_;
    ReverseConversion& second_;
};

// A reverse conversion that never has readings.
class NoReverseConversion : public ReverseConversion {
public:
    std::uint32_t GetReverseConversionList(void*, void*, const char16_t*, void*, std::uint32_t) override
    {
        return 0;
    }
};

}  // namespace lexidrop
