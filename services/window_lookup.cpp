#include "services/window_lookup.h"

#include "lookup/engine_reverse_conversion.h"
#include "lookup/furigana_line.h"
#include "services/reading_converter.h"

#include <new>

namespace lexidrop {
namespace {

// A converter made for each run, on the main window's input context.
class WindowReadings : public ReadingSource {
public:
    WindowReadings(HWND window, ReverseConversion* conversion) : window_(window), conversion_(conversion) {}

    void Convert(std::uint32_t maxCandi, std::uint32_t mappingFlags, const std::string& text,
                 ReadingList& out) override
    {
        if (conversion_) {
            ReadingConverter converter(*conversion_);
            converter.Convert(window_, maxCandi, mappingFlags, text, out);
        } else {
            ReadingConverter converter;
            converter.Convert(window_, maxCandi, mappingFlags, text, out);
        }
    }

private:
    HWND window_;
    ReverseConversion* conversion_;
};

// The furigana line from the built-in engine, between the ANSI code page and UTF-16.
class EngineFurigana : public FuriganaSource {
public:
    explicit EngineFurigana(ReadingEngine& engine) : engine_(engine) {}

    std::string FuriganaLine(const std::string& text, std::uint32_t mappingFlags) override
    try {
        const int wide =
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        if (wide <= 0) return {};
        std::u16string source(static_cast<std::size_t>(wide), u'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<wchar_t*>(source.data()), wide);
        const std::u16string line = lexidrop::FuriganaLine(engine_, source, mappingFlags);
        if (line.empty()) return {};
        const auto* chars = reinterpret_cast<const wchar_t*>(line.data());
        const int length = static_cast<int>(line.size());
        const int bytes = WideCharToMultiByte(CP_ACP, 0, chars, length, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return {};
        std::string out(static_cast<std::size_t>(bytes), '\0');
        if (WideCharToMultiByte(CP_ACP, 0, chars, length, out.data(), bytes, nullptr, nullptr) != bytes)
            return {};
        return out;
    } catch (const std::bad_alloc&) {
        return {};  // no furigana line, the readings still show
    }

private:
    ReadingEngine& engine_;
};

// The engine's conversion answering nothing once its lookup is stale, which
// ends the chunk loop at the next chunk.
class StoppableConversion : public ReverseConversion {
public:
    explicit StoppableConversion(ReverseConversion& conversion) : conversion_(conversion) {}
    void Follow(const StaleCheck* check) { check_ = check; }
    std::uint32_t GetReverseConversionList(void* keyboardLayout, void* inputContext, const char16_t* source,
                                           void* list, std::uint32_t size) override
    {
        if (check_ && check_->Stale()) return 0;
        return conversion_.GetReverseConversionList(keyboardLayout, inputContext, source, list, size);
    }

private:
    ReverseConversion& conversion_;
    const StaleCheck* check_ = nullptr;
};

class EngineLookupWork : public LookupWork {
public:
    explicit EngineLookupWork(const Dictionary& dictionary)
        : engine_(dictionary), conversion_(engine_), stoppable_(conversion_), converter_(stoppable_)
    {
    }

    void Run(const LookupRequest& request, const StaleCheck& check, LookupResult& out) override
    {
        conversion_.SetMaxReadings(request.maxCandi);
        stoppable_.Follow(&check);
        // No window: the engine needs no input context.
        converter_.Convert(nullptr, request.maxCandi, request.mappingFlags, request.text, out.readings);
        stoppable_.Follow(nullptr);
        if (request.furigana && !check.Stale()) {
            EngineFurigana furigana(engine_);
            out.furigana = furigana.FuriganaLine(request.text, request.mappingFlags);
        }
    }

private:
    ReadingEngine engine_;
    EngineReverseConversion conversion_;
    StoppableConversion stoppable_;
    ReadingConverter converter_;
};

}  // namespace

bool RunLookup(HWND window, std::uint32_t maxCandi, std::uint32_t mappingFlags, TextSource& source,
               LineDisplay& display, ReverseConversion* conversion, ReadingEngine* furiganaEngine)
{
    WindowReadings readings(window, conversion);
    if (!furiganaEngine) return RunLookup(source, readings, display, maxCandi, mappingFlags);
    EngineFurigana furigana(*furiganaEngine);
    return RunLookup(source, readings, display, maxCandi, mappingFlags, &furigana);
}

std::unique_ptr<LookupWork> MakeEngineLookupWork(const Dictionary& dictionary)
{
    return std::make_unique<EngineLookupWork>(dictionary);
}

}  // namespace lexidrop
