// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "services/clipboard_viewer.h"

#include <cstring>
#include <new>

#include "lookup/line_limit.h"
#include "win32/scoped_win.h"

namespace lexidrop {
ClipboardViewer::~ClipboardViewer()
{
    Leave();
}

bool ClipboardViewer::Join(HWND owner, std::uint32_t lineLimit)
{
    if (!owner || owner_) return false;
    owner_ = owner;
    lineLimit_ = lineLimit;
    // A null result is no failure when the owner is the only viewer (no error set).
    SetLastError(0);
    next_ = SetClipboardViewer(owner);
    return next_ != nullptr || GetLastError() == 0;
}

bool ClipboardViewer::Leave()
{
    if (!owner_) return false;
    ChangeClipboardChain(owner_, next_);
    owner_ = nullptr;
    return true;
}

LRESULT ClipboardViewer::OnChangeChain(WPARAM removed, LPARAM after)
{
    if (!next_) return 0;
    if (reinterpret_cast<HWND>(removed) == next_) next_ = reinterpret_cast<HWND>(after);
    if (next_) return SendMessageA(next_, WM_CHANGECBCHAIN, removed, after);
    return after;
}

LRESULT ClipboardViewer::OnDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    if (!next_) return 0;
    return SendMessageA(next_, WM_DRAWCLIPBOARD, wParam, lParam);
}

bool ClipboardViewer::ReadText(std::string& text)
try {
    text.clear();
    if (!owner_) return false;
    ScopedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) return false;
    const HANDLE block = GetClipboardData(CF_TEXT);
    if (!block) return false;
    ScopedGlobalLock lock(block);
    if (!lock.Data()) return false;
    const SIZE_T size = GlobalSize(block);
    if (size == 0) return false;
    // The text ends at the first NUL, and never later than the block.
    const auto* const bytes = static_cast<const char*>(lock.Data());
    const void* const nul = std::memchr(bytes, '\0', size);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    const std::string_view whole(bytes, length);
    text.assign(whole.substr(0, LineLimitedLength(whole, lineLimit_)));
    return true;
} catch (const std::bad_alloc&) {
    text.clear();
    return false;
}

bool ClipboardViewer::WriteText(const char* text)
{
    if (!owner_) return false;
    const std::size_t length = std::strlen(text);
    ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1));
    if (!block.Get()) return false;
    {
        ScopedGlobalLock lock(block.Get());
        if (!lock.Data()) return false;
        std::memcpy(lock.Data(), text, length + 1);
    }
    ScopedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) return false;
    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_TEXT, block.Get())) return false;
    block.Release();  // the clipboard owns it now
    return true;
}

}  // namespace lexidrop
