// The main window's place in the clipboard-viewer chain and its CF_TEXT
// exchange with the clipboard.
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
    // Leaves the chain; false when not joined.
    bool Leave();
    // WM_CHANGECBCHAIN(removed, after): keeps the next viewer current and passes the message on.
    LRESULT OnChangeChain(WPARAM removed, LPARAM after);
    // WM_DRAWCLIPBOARD: passes the message to the next viewer; its result, or 0.
    LRESULT OnDrawClipboard(WPARAM wParam, LPARAM lParam);
    // The clipboard's CF_TEXT up to its first NUL, cut to the line limit; false (and `text`
    // empty) when not joined, the clipboard is busy or holds no text.
    bool ReadText(std::string& text) override;
    // Puts `text` on the clipboard as the only CF_TEXT block; false on any failure.
    bool WriteText(const char* text);

    // Lines ReadText takes, 0 for all (CBCRLimit ? CBCRLines : 0).
    void SetLineLimit(std::uint32_t lineLimit) { lineLimit_ = lineLimit; }
    std::uint32_t LineLimit() const { return lineLimit_; }
    // The joined window, null when not joined.
    HWND Owner() const { return owner_; }
    // The viewer after the owner in the chain, as last known.
    HWND NextViewer() const { return next_; }

private:
    HWND owner_ = nullptr;
    HWND next_ = nullptr;
    std::uint32_t lineLimit_ = 1;
};

}  // namespace lexidrop
