// The main window's lookup: clipboard text in, readings by reverse conversion,
// lines out to the list window.
#pragma once
#include <windows.h>

#include "services/clipboard_viewer.h"
#include "ui/reading_list_view.h"
#include "lookup/reverse_conversion.h"
#include "settings/settings.h"

namespace lexidrop {

// Reads the clipboard through `viewer`, converts the text with a fresh converter on
// `window`'s input context (the IME, or `conversion` when given) and shows the lines in
// `view`. False, with the display untouched, when there was no text or an empty one.
bool RunLookup(HWND window, const Settings& settings, ClipboardViewer& viewer, ReadingListView& view,
               ReverseConversion* conversion = nullptr);

}  // namespace lexidrop
