#include "services/reverse_conversion_choice.h"

#include "services/reading_converter.h"
#include "win32/program_folder.h"

#include <new>

namespace lexidrop {

std::string DictionaryBesideProgram()
{
    const std::string folder = ProgramFolder();
    if (folder.empty()) return {};
    return DictionaryFileIn(folder);
}

ReverseConversionChoice::ReverseConversionChoice() : ReverseConversionChoice(DictionaryBesideProgram()) {}

ReverseConversionChoice::ReverseConversionChoice(std::string dictionaryPath)
    : builtIn_(std::move(dictionaryPath))
{
}

ReverseConversion* ReverseConversionChoice::For(std::uint32_t readingSource, std::uint32_t maxCandi)
{
    if (readingSource == 0) return nullptr;
    EngineReverseConversion* engine = builtIn_.Conversion();
    if (readingSource == 2) {
        if (!engine) return &none_;
        engine->SetMaxReadings(maxCandi);
        return engine;
    }
    if (!engine) return nullptr;
    engine->SetMaxReadings(maxCandi);
    if (!imeThenEngine_) imeThenEngine_.reset(new (std::nothrow) FallbackReverseConversion(ime_, *engine));
    return imeThenEngine_.get();
}

bool ReverseConversionChoice::EngineAlone(std::uint32_t readingSource, HWND window, const std::string& text)
{
    if (readingSource == 0 || !builtIn_.Conversion()) return false;
    if (readingSource == 2) return true;
    ReadingConverter ime(ime_);
    return !ime.AnswersFirstChunk(window, text);
}

ReadingEngine* ReverseConversionChoice::FuriganaEngine(std::uint32_t readingSource)
{
    return readingSource == 0 ? nullptr : builtIn_.Engine();
}

}  // namespace lexidrop
