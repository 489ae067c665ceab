#include "services/copy_line.h"

namespace lexidrop {

bool CopyLine(ClipboardViewer& viewer, bool exitOnce, ExitHandler& exit, const std::string& text)
{
    const bool written = viewer.WriteText(text.c_str());
    if (exitOnce) exit.ExitApplication();
    return written;
}

}  // namespace lexidrop
