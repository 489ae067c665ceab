// The main window's lookup: clipboard text in, readings by reverse conversion,
// lines out to the list window.
#pragma once
#include <windows.h>

#include "clipboard/clipboard_viewer.h"
#include "engine/reading_engine.h"
#include "lookup/reading_list_view.h"
#include "lookup/reverse_conversion.h"
#include "settings/settings.h"

namespace lexidrop {

// Reads the clipboard through `viewer`, converts the text with a fresh converter on
// `window`'s input context (the IME, or `conversion` when given) and shows the lines in
// `view`, with the furigana line from `furiganaEngine` when the Furigana setting is on.
// False, with the display untouched, when there was no text or an empty one.
bool RunLookup(HWND window, const Settings& settings, ClipboardViewer& viewer, ReadingListView& view,
               ReverseConversion* conversion = nullptr, ReadingEngine* furiganaEngine = nullptr);

}  // namespace lexidrop
