// The one road of a displayed line to the clipboard, as the list window and the hot keys see it.
#pragma once
#include <string>

namespace lexidrop {

class LineCopier {
public:
    virtual ~LineCopier() = default;
    // Puts `text` on the clipboard (and may end the program afterwards); whether it was written.
    virtual bool CopyLine(const std::string& text) = 0;
};

}  // namespace lexidrop
