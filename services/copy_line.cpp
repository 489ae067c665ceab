#include "services/copy_line.h"

namespace lexidrop {

bool CopyLine(ClipboardViewer& viewer, bool exitOnce, ExitHandler& exit, const std::string& text)
{
    const bool written = viewer.WriteText(text.c_str());
    if (!written) {
        // The clipboard stayed busy or refused the text: say so, and stay, since
        // ending now would lose both the copy and the tool.
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    if (exitOnce) exit.ExitApplication();
    return true;
}

}  // namespace lexidrop
