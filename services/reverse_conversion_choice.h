// Which reverse conversion a lookup uses, after the ReadingSource setting:
// 0 the IME only, 1 the IME and, where it has no reverse conversion, the
// built-in engine (the default, also for unknown values), 2 the engine only.
// Held by the application for the whole run, so the dictionary is mapped once.
#pragma once

#include "services/builtin_readings.h"
#include "services/imm_reverse_conversion.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace lexidrop {

class ReverseConversionChoice {
public:
    // Uses Lexidrop.dic beside the running program.
    ReverseConversionChoice();
    explicit ReverseConversionChoice(std::string dictionaryPath);
    ReverseConversionChoice(const ReverseConversionChoice&) = delete;
    ReverseConversionChoice& operator=(const ReverseConversionChoice&) = delete;

    // The conversion to hand to RunLookup; null means the IME (RunLookup's own default).
    // maxCandi limits the engine's readings per chunk.
    ReverseConversion* For(std::uint32_t readingSource, std::uint32_t maxCandi);
    // The engine for the furigana line: null for the IME only (0) or when the
    // dictionary cannot be used.
    ReadingEngine* FuriganaEngine(std::uint32_t readingSource);
    // Whether the lookup of `text` is the built-in engine's alone, so that it can
    // run on a thread of its own: with the engine only (2) and the dictionary
    // there, or with the IME first (1) when the IME of `window`'s thread gives no
    // list for the text's first chunk.
    bool EngineAlone(std::uint32_t readingSource, HWND window, const std::string& text);
    // The dictionary for engines of other threads; null when it cannot be used.
    const Dictionary* BuiltInDictionary() { return builtIn_.DictionaryInUse(); }

private:
    BuiltInReadings builtIn_;
    ImmReverseConversion ime_;
    NoReverseConversion none_;
    std::unique_ptr<FallbackReverseConversion> imeThenEngine_;  // once the engine is there
};

// Full path of Lexidrop.dic in the folder of the running program ("" when unknown).
std::string DictionaryBesideProgram();

}  // namespace lexidrop
