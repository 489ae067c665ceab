// Sending a displayed line to the clipboard, and ending the program afterwards
// when the settings ask for it.
#pragma once
#include <string>

#include "services/clipboard_viewer.h"
#include "lookup/line_copier.h"

namespace lexidrop {

// Ends the program (the main window's ExitApplication).
class ExitHandler {
public:
    virtual ~ExitHandler() = default;
    virtual void ExitApplication() = 0;
};

// Writes `text` with `viewer`; then, when `exitOnce`, ends the program. A failed
// write beeps and never ends the program. Returns whether the write succeeded.
bool CopyLine(ClipboardViewer& viewer, bool exitOnce, ExitHandler& exit, const std::string& text);

// CopyLine bound to the main window's viewer, exit choice and exit, for the list and hot keys.
class ClipboardLineCopier : public LineCopier {
public:
    ClipboardLineCopier(ClipboardViewer& viewer, bool exitOnce, ExitHandler& exit)
        : viewer_(viewer), exitOnce_(exitOnce), exit_(exit)
    {
    }
    bool CopyLine(const std::string& text) override
    {
        return lexidrop::CopyLine(viewer_, exitOnce_, exit_, text);
    }

private:
    ClipboardViewer& viewer_;
    bool exitOnce_;
    ExitHandler& exit_;
};

}  // namespace lexidrop
