#include "services/window_lookup.h"

#include "services/reading_converter.h"

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

}  // namespace

bool RunLookup(HWND window, std::uint32_t maxCandi, std::uint32_t mappingFlags, TextSource& source,
               LineDisplay& display, ReverseConversion* conversion)
{
    WindowReadings readings(window, conversion);
    return RunLookup(source, readings, display, maxCandi, mappingFlags);
}

}  // namespace lexidrop
