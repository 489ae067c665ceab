#include "services/copy_line.h"

namespace lexidrop {

bool CopyLine(ClipboardViewer& viewer, const Settings& settings, ExitHandler& exit, const std::string& text)
{
    const bool written = viewer.WriteText(text.c_str());
    if (settings.ExitOnce != 0) exit.ExitApplication();
    return written;
}

}  // namespace lexidrop
