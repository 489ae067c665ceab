// Sending a displayed line to the clipboard, and ending the program afterwards
// when the settings ask for it.
#pragma once
#include <string>

#include "services/clipboard_viewer.h"
#include "lookup/line_copier.h"
#include "settings/settings.h"

namespace lexidrop {

// Ends the program (the main window's ExitApplication).
class ExitHandler {
public:
    virtual ~ExitHandler() = default;
    virtual void ExitApplication() = 0;
};

// Writes `text` with `viewer`; then, when ExitOnce is on, ends the program whatever the
// write gave. Returns whether the write succeeded.
bool CopyLine(ClipboardViewer& viewer, const Settings& settings, ExitHandler& exit, const std::string& text);

// CopyLine bound to the main window's viewer, settings and exit, for the list and hot keys.
class ClipboardLineCopier : public LineCopier {
public:
    ClipboardLineCopier(ClipboardViewer& viewer, const Settings& settings, ExitHandler& exit)
        : viewer_(viewer), settings_(settings), exit_(exit)
    {
    }
    bool CopyLine(const std::string& text) override
    {
        return lexidrop::CopyLine(viewer_, settings_, exit_, text);
    }

private:
    ClipboardViewer& viewer_;
    const Settings& settings_;
    ExitHandler& exit_;
};

}  // namespace lexidrop
