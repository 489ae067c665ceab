// The main window's list box holding the displayed lines: the source text as
// line 0 and its readings below, optionally numbered. The store of the lines:
// a line longer than the list box is given (see kShownLineBytes) is kept whole
// beside it, under a key held as its item's data.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "lookup/line_copier.h"
#include "lookup/reading_pipeline.h"
#include "lookup/run_lookup.h"
#include "res/resource.h"

namespace lexidrop {

class ReadingListView : public LineDisplay {
public:
    // Child id of the list box inside the main window.
    static constexpr int kListControlId = IDC_READING_LIST;

    ReadingListView() = default;
    ReadingListView(const ReadingListView&) = delete;
    ReadingListView& operator=(const ReadingListView&) = delete;

    // Replaces any list box by a new empty one over `parent`'s client area (sorted when
    // `sort` is non-zero; numbered lines when `lineNo` is non-zero) and shows it; null on failure.
    HWND Create(HWND parent, std::uint32_t sort, std::uint32_t lineNo);
    // Rebuilds the list box with new settings, keeping the lines and the caret line's text.
    bool Recreate(std::uint32_t sort, std::uint32_t lineNo);
    // Replaces all lines: readings (sorted when the list sorts), source as line 0, a
    // non-empty `furigana` as line 1, caret on 0.
    bool SetLines(const std::string& source, const ReadingList& readings,
                  const std::string& furigana) override;
    // Text of line `index` without its number prefix; `text` emptied first; false if no such line.
    bool GetLineText(int index, std::string& text) const;
    // Text of the caret line without its prefix; false when there is no caret line.
    bool GetCaretLineText(std::string& text) const;
    // Follows the main window's WM_SIZE (restored, maximized, maxshow) over the whole client area.
    void Resize(UINT sizeType, int width, int height);
    // Gives the keyboard focus to the list box.
    void Focus();
    // Height of one line, 18 without a list box.
    int GetItemHeight() const;
    // Number of lines, 0 without a list box.
    int GetLineCount() const;
    // Window rectangle of the list box in screen coordinates; false (and 0,0,128,128) without one.
    bool GetBounds(RECT& rect) const;
    // The list box, or null.
    HWND Handle() const { return list_; }

    // Answer to the list box's WM_VKEYTOITEM: Enter copies the caret line through `copier`,
    // Left on line 0 wraps to the last line, Right on the last line wraps to line 0.
    LRESULT OnVKeyToItem(WPARAM wParam, LineCopier& copier);
    // Copies the caret line (double click, Enter); false when there is none.
    bool CopyCaretLine(LineCopier& copier) const;
    // Copies line `index` (hot keys 0-9); false when there is no such line.
    bool CopyLineAt(int index, LineCopier& copier) const;

    // Whole lines too long for the list box, by the key in their item's data (never 0).
    struct LongLines {
        std::unordered_map<LPARAM, std::string> lines;
        LPARAM lastKey = 0;
    };

private:
    HWND list_ = nullptr;
    LongLines longLines_;
    std::uint32_t lineNo_ = 0;
    bool furigana_ = false;  // line 1 is the furigana line
};

}  // namespace lexidrop
