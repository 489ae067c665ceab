// The main window's lookup: clipboard text in, readings by reverse conversion,
// lines out to the list window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "engine/dictionary.h"
#include "engine/reading_engine.h"
#include "lookup/background_lookup.h"
#include "lookup/reverse_conversion.h"
#include "lookup/run_lookup.h"

namespace lexidrop {

// Reads the text from `source` (the clipboard viewer), converts it into at most `maxCandi`
// readings mapped by `mappingFlags` with a fresh converter on `window`'s input context (the
// IME, or `conversion` when given) and shows the lines on `display` (the list window),
// with the furigana line from `furiganaEngine` when one is given.
// False, with the display untouched, when there was no text or an empty one.
bool RunLookup(HWND window, std::uint32_t maxCandi, std::uint32_t mappingFlags, TextSource& source,
               LineDisplay& display, ReverseConversion* conversion = nullptr,
               ReadingEngine* furiganaEngine = nullptr);

// The built-in engine's lookup for a worker thread: an engine of its own over
// `dictionary` (which must outlive the work), readings made like the window's
// lookup with the engine alone, and the furigana line when asked for. A stale
// lookup stops at its next chunk.
std::unique_ptr<LookupWork> MakeEngineLookupWork(const Dictionary& dictionary);

}  // namespace lexidrop
