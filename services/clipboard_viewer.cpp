// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "services/clipboard_viewer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "lookup/line_limit.h"
#include "win32/code_page_text.h"
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

// The text of an open clipboard's `format` block up to its first NUL, never
// beyond the block; false when there is no such block or it is empty.
template <typename String>
bool ReadBlock(UINT format, String& text)
{
    using Char = typename String::value_type;
    const HANDLE block = GetClipboardData(format);
    if (!block) return false;
    ScopedGlobalLock lock(block);
    if (!lock.Data()) return false;
    const SIZE_T units = GlobalSize(block) / sizeof(Char);
    if (units == 0) return false;
    const auto* const data = static_cast<const Char*>(lock.Data());
    text.assign(data, std::find(data, data + units, Char(0)));
    return true;
}

// The code page the system converts the open clipboard's CF_TEXT with: that
// of its CF_LOCALE (the input language it was copied with), else the program's.
UINT ClipboardCodePage()
{
    const HANDLE block = GetClipboardData(CF_LOCALE);
    ScopedGlobalLock lock(block);
    if (!block || !lock.Data() || GlobalSize(block) < sizeof(LCID)) return CP_ACP;
    LCID locale = 0;
    std::memcpy(&locale, lock.Data(), sizeof locale);
    DWORD codePage = 0;
    if (!GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)))
        return CP_ACP;
    return codePage;
}

// The text format to read from the open clipboard: its Unicode text, unless its
// owner put CF_TEXT there first (the system lists a format it makes from
// another after that one) and the Unicode text is only the system's conversion
// of it, made with the code page of the input language rather than the code
// page the CF_TEXT was written in. 0 when there is no text.
UINT TextFormatToRead()
{
    UINT first = 0;
    for (UINT format = EnumClipboardFormats(0); format != 0 && first == 0;
         format = EnumClipboardFormats(format))
        if (format == CF_UNICODETEXT || format == CF_TEXT) first = format;
    if (first != CF_TEXT) return first;
    std::string bytes;
    std::wstring unicode;
    if (!ReadBlock(CF_TEXT, bytes) || !ReadBlock(CF_UNICODETEXT, unicode)) return CF_TEXT;
    const UINT codePage = ClipboardCodePage();
    std::wstring converted(bytes.size(), L'\0');
    const int length = bytes.empty()
                           ? 0
                           : MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                 converted.data(), static_cast<int>(converted.size()));
    converted.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return unicode == converted ? CF_TEXT : CF_UNICODETEXT;
}

// A new movable global block holding a copy of `size` bytes; null on failure.
HGLOBAL GlobalCopy(const void* data, std::size_t size)
{
    ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (!block.Get()) return nullptr;
    {
        ScopedGlobalLock lock(block.Get());
        if (!lock.Data()) return nullptr;
        std::memcpy(lock.Data(), data, size);
    }
    return block.Release();
}

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
    if (TextFormatToRead() == CF_UNICODETEXT) {
        std::wstring unicode;
        if (!ReadBlock(CF_UNICODETEXT, unicode)) return false;
        unicode.resize(LineLimitedLength(unicode, lineLimit_));
        text = ToProgramCodePage(unicode);
        readUnicode_ = std::move(unicode);
    } else {
        std::string bytes;
        if (!ReadBlock(CF_TEXT, bytes)) return false;
        text.assign(bytes, 0, LineLimitedLength(bytes, lineLimit_));
        readUnicode_.clear();
    }
    readText_ = text;
    return true;
} catch (const std::bad_alloc&) {
    text.clear();
    readText_.clear();
    readUnicode_.clear();
    return false;
}

bool ClipboardViewer::WriteText(const char* text)
try {
    if (!owner_) return false;
    const std::string_view narrow(text);
    // The text last read goes back exactly as it was copied, characters the
    // program's code page lacks included; any other line is converted.
    const std::wstring unicode =
        !readUnicode_.empty() && narrow == readText_ ? readUnicode_ : FromProgramCodePage(narrow);
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
    ScopedGlobal unicodeBlock(GlobalCopy(unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t)));
    ScopedGlobal textBlock(GlobalCopy(text, narrow.size() + 1));
    ScopedGlobal localeBlock(GlobalCopy(&japanese, sizeof japanese));
    if (!unicodeBlock.Get() || !textBlock.Get() || !localeBlock.Get()) return false;
    BusyWaitClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) return false;
    if (!EmptyClipboard()) return false;
    // Unicode first: it is the text's own form, and readers that take the first
    // text format offered get it. The locale tells the system that the CF_TEXT
    // block is Shift-JIS whatever the input language is.
    for (auto [format, block] : {std::pair{CF_UNICODETEXT, &unicodeBlock}, std::pair{CF_TEXT, &textBlock},
                                 std::pair{CF_LOCALE, &localeBlock}}) {
        if (!SetClipboardData(format, block->Get())) return false;
        block->Release();  // the clipboard owns it now
    }
    return true;
} catch (const std::bad_alloc&) {
    return false;
}

}  // namespace lexidrop
