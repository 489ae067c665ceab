// The main window's place in the clipboard-viewer chain and its text exchange
// with the clipboard (Unicode text where offered, else CF_TEXT).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "lookup/run_lookup.h"

namespace lexidrop {

class ClipboardViewer : public TextSource {
public:
    ClipboardViewer() = default;
    // Leaves the chain if still joined.
    ~ClipboardViewer() override;
    ClipboardViewer(const ClipboardViewer&) = delete;
    ClipboardViewer& operator=(const ClipboardViewer&) = delete;

    // Joins the chain for `owner` with the given line limit; refused when `owner` is null or
    // already joined. False when the system refused (owner and limit stay stored).
    bool Join(HWND owner, std::uint32_t lineLimit);
    // Leaves the chain; false when not joined. Behind a hung viewer the chain is left
    // as it is rather than waiting on that viewer.
    bool Leave();
    // WM_CHANGECBCHAIN(removed, after): keeps the next viewer current (never the owner
    // itself) and passes the message on when another viewer left.
    LRESULT OnChangeChain(WPARAM removed, LPARAM after);
    // WM_DRAWCLIPBOARD: notes the change as seen and passes the message on at once;
    // false (nothing passed on) when this change was notified before.
    bool OnDrawClipboard(WPARAM wParam, LPARAM lParam);
    // For a timer: true when the clipboard has changed without a notification and
    // stayed so since the previous check (a copy in progress is not mistaken for a
    // lost one). The chain is then broken ahead of the owner; Rejoin repairs it.
    bool MissedChange();
    // Leaves the chain and joins it again at its head.
    bool Rejoin();
    // The clipboard's text up to its first NUL, cut to the line limit, in the
    // program's code page; false (and `text` empty) when not joined, the clipboard
    // stayed busy or holds no text. Unicode text is taken unless it is only the
    // system's conversion of the CF_TEXT the clipboard's owner put there, made
    // with the code page of the input language.
    bool ReadText(std::string& text) override;
    // Puts `text` on the clipboard as CF_UNICODETEXT, CF_TEXT and CF_LOCALE
    // Japanese, so that every program pastes the same characters whatever the
    // input language. The text last read goes back as the Unicode text it was
    // read from. False on any failure, including a clipboard that stayed busy.
    bool WriteText(const char* text);

    // Lines ReadText takes, 0 for all (CBCRLimit ? CBCRLines : 0).
    void SetLineLimit(std::uint32_t lineLimit) { lineLimit_ = lineLimit; }
    std::uint32_t LineLimit() const { return lineLimit_; }
    // The joined window, null when not joined.
    HWND Owner() const { return owner_; }
    // The viewer after the owner in the chain, as last known.
    HWND NextViewer() const { return next_; }

private:
    // Sends a chain message to the next viewer without waiting on a hung one.
    void PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    void SetNext(HWND next);
    // ChangeClipboardChain unless the chain's head hangs; false when it hangs.
    bool LeaveWithoutHanging();

    HWND owner_ = nullptr;
    HWND next_ = nullptr;
    // The next viewer did not answer in time once: later messages are queued for
    // it without waiting, until another viewer follows the owner.
    bool nextUnresponsive_ = false;
    DWORD notified_ = 0;  // clipboard sequence number at the last notification
    DWORD suspect_ = 0;   // unnotified sequence number seen by the last check
    std::uint32_t lineLimit_ = 1;
    // The last text read, and the Unicode text it came from (empty when it came as CF_TEXT).
    std::string readText_;
    std::wstring readUnicode_;
};

}  // namespace lexidrop
