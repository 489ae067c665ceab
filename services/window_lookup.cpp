#include "services/window_lookup.h"

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

}  // namespace

bool RunLookup(HWND window, std::uint32_t maxCandi, std::uint32_t mappingFlags, TextSource& source,
               LineDisplay& display, ReverseConversion* conversion, ReadingEngine* furiganaEngine)
{
    WindowReadings readings(window, conversion);
    if (!furiganaEngine) return RunLookup(source, readings, display, maxCandi, mappingFlags);
    EngineFurigana furigana(*furiganaEngine);
    return RunLookup(source, readings, display, maxCandi, mappingFlags, &furigana);
}

}  // namespace lexidrop
