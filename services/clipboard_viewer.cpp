// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "services/clipboard_viewer.h"

#include <cstring>
#include <new>

#include "lookup/line_limit.h"
#include "win32/scoped_win.h"

namespace lexidrop {
namespace {

// How long a chain message may wait for the next viewer.
constexpr UINT kChainTimeoutMs = 1000;
// Opening a busy clipboard is retried for about a second.
constexpr int kOpenAttempts = 50;
constexpr DWORD kOpenStepMs = 20;

// Opens the clipboard for `owner`, retrying while another program holds it.
// Messages sent by other threads (chain notifications) are answered meanwhile.
class BusyWaitClipboard {
public:
    explicit BusyWaitClipboard(HWND owner)
    {
        for (int attempt = 0; !open_ && attempt < kOpenAttempts; ++attempt) {
            if (attempt > 0) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, kOpenStepMs, QS_SENDMESSAGE);
                MSG message;
                PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ~BusyWaitClipboard()
    {
        if (open_) CloseClipboard();
    }
    BusyWaitClipboard(const BusyWaitClipboard&) = delete;
    BusyWaitClipboard& operator=(const BusyWaitClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace

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
    HWND next = SetClipboardViewer(owner);
    const bool joined = next != nullptr || GetLastError() == 0;
    SetNext(next);
    notified_ = suspect_ = GetClipboardSequenceNumber();
    return joined;
}

bool ClipboardViewer::Rejoin()
{
    if (!owner_) return false;
    HWND owner = owner_;
    // Leaving from behind a hung head would wait on it for ever (the system sends
    // it WM_CHANGECBCHAIN); the owner then joins again without leaving, and the
    // repeat a recovered viewer might pass round is dropped by OnDrawClipboard.
    if (!LeaveWithoutHanging()) owner_ = nullptr;
    return Join(owner, lineLimit_);
}

bool ClipboardViewer::LeaveWithoutHanging()
{
    HWND head = GetClipboardViewer();
    DWORD_PTR answer = 0;
    if (head != owner_ && head != nullptr &&
        !SendMessageTimeoutA(head, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kChainTimeoutMs, &answer) &&
        IsWindow(head)) {
        return false;
    }
    ChangeClipboardChain(owner_, next_);
    owner_ = nullptr;
    return true;
}

void ClipboardViewer::SetNext(HWND next)
{
    next_ = next == owner_ ? nullptr : next;
    nextUnresponsive_ = false;
}

void ClipboardViewer::PassOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!next_) return;
    if (nextUnresponsive_) {
        SendNotifyMessageA(next_, message, wParam, lParam);
        return;
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(next_, message, wParam, lParam, SMTO_ABORTIFHUNG, kChainTimeoutMs, &answer))
        nextUnresponsive_ = IsWindow(next_) != FALSE;
}

bool ClipboardViewer::MissedChange()
{
    const DWORD now = GetClipboardSequenceNumber();
    if (now == notified_) return false;
    const bool missed = now == suspect_;
    suspect_ = now;
    return missed;
}

bool ClipboardViewer::Leave()
{
    if (!owner_) return false;
    if (!LeaveWithoutHanging()) owner_ = nullptr;  // the hung head keeps a stale link
    return true;
}

LRESULT ClipboardViewer::OnChangeChain(WPARAM removed, LPARAM after)
{
    if (!next_) return 0;
    if (reinterpret_cast<HWND>(removed) == next_) {
        SetNext(reinterpret_cast<HWND>(after));
    } else {
        PassOn(WM_CHANGECBCHAIN, removed, after);
    }
    return 0;
}

bool ClipboardViewer::OnDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    const DWORD sequence = GetClipboardSequenceNumber();
    // The same change coming round again (a chain that loops through a viewer that
    // lost track) is neither passed on nor looked up twice.
    if (sequence == notified_) return false;
    notified_ = suspect_ = sequence;
    PassOn(WM_DRAWCLIPBOARD, wParam, lParam);
    return true;
}

bool ClipboardViewer::ReadText(std::string& text)
try {
    text.clear();
    if (!owner_) return false;
    BusyWaitClipboard clipboard(owner_);
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
    BusyWaitClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) return false;
    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_TEXT, block.Get())) return false;
    block.Release();  // the clipboard owns it now
    return true;
}

}  // namespace lexidrop
