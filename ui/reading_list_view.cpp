// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "ui/reading_list_view.h"

#include <new>

#include "lookup/display_lines.h"
#include "win32/code_page_text.h"

namespace lexidrop {
namespace {

// The display rules' view of a Win32 list box.
class ListBoxControl : public ListControl {
public:
    explicit ListBoxControl(HWND list) : list_(list) {}

    void ResetContent() override { SendMessageA(list_, LB_RESETCONTENT, 0, 0); }
    int AddString(const std::string& text) override
    {
        return static_cast<int>(SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int InsertString(int index, const std::string& text) override
    {
        return static_cast<int>(
            SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(int index) override
    {
        return static_cast<int>(SendMessageA(list_, LB_DELETESTRING, index, 0));
    }
    int GetCount() override { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }
    bool GetText(int index, std::string& text) override
    {
        // Asked in UTF-16 and converted here: the list box of the current
        // common controls keeps its lines in UTF-16, and Wine answers the ANSI
        // question through a buffer of 512 characters that a longer line overflows.
        const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
        if (length == LB_ERR) return false;
        std::wstring unicode(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(unicode.data()));
        if (copied == LB_ERR || copied > length) {
            text.clear();
            return false;
        }
        unicode.resize(static_cast<std::size_t>(copied));
        text = ToProgramCodePage(unicode);
        return true;
    }
    bool SetCaretIndex(int index) override
    {
        return SendMessageA(list_, LB_SETCARETINDEX, index, FALSE) != LB_ERR;
    }

private:
    HWND list_;
};

// Holds the list box's drawing off while it is filled: a visible list box
// repaints itself and its scroll bar on every added, inserted or deleted line,
// which costs far more than the lines themselves. On release the whole box,
// scroll bars included, is invalidated and so painted once, at the next WM_PAINT.
class RedrawSuspended {
public:
    explicit RedrawSuspended(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawSuspended()
    {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    HWND list_;
};

constexpr DWORD kListStyle = WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS |
                             LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT;

}  // namespace

HWND ReadingListView::Create(HWND parent, std::uint32_t sort, std::uint32_t lineNo)
{
    if (list_) {
        DestroyWindow(list_);
        list_ = nullptr;
    }
    lineNo_ = lineNo;
    RECT client = {};
    GetClientRect(parent, &client);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    list_ = CreateWindowExA(0, "LISTBOX", "", kListStyle | (sort ? LBS_SORT : 0), client.left, client.top,
                            client.right, client.bottom, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListControlId)), instance, nullptr);
    if (list_) ShowWindow(list_, SW_SHOW);
    return list_;
}

bool ReadingListView::Recreate(std::uint32_t sort, std::uint32_t lineNo)
try {
    if (!list_) return false;
    const HWND parent = GetParent(list_);
    if (!parent) return false;

    const int caret = static_cast<int>(SendMessageA(list_, LB_GETCARETINDEX, 0, 0));
    std::string source, furigana;
    GetLineText(0, source);
    if (furigana_) GetLineText(1, furigana);
    ReadingList readings;
    std::string line;
    for (int i = furigana_ ? 2 : 1; GetLineText(i, line); ++i) readings.push_back(line);
    std::string caretText;
    GetLineText(caret, caretText);

    if (!Create(parent, sort, lineNo)) return false;
    if (!source.empty()) {
        if (!SetLines(source, readings, furigana)) return false;
        int index = caret;
        if (caret != 0) {
            for (int i = 1; GetLineText(i, line); ++i) {
                if (line == caretText) {
                    index = i;
                    break;
                }
            }
        }
        SendMessageA(list_, LB_SETCARETINDEX, index, FALSE);
        SendMessageA(list_, LB_SETTOPINDEX, index, 0);
    }
    SetFocus(list_);
    return true;
} catch (const std::bad_alloc&) {
    return false;
}

bool ReadingListView::SetLines(const std::string& source, const ReadingList& readings,
                               const std::string& furigana)
try {
    if (!list_) return false;
    furigana_ = !furigana.empty();
    RedrawSuspended quiet(list_);
    // Room for every line and its number prefix up front, instead of growing line by line.
    std::size_t bytes = source.size() + furigana.size() + 6;
    for (const std::string& reading : readings) bytes += reading.size() + 3;
    SendMessageA(list_, LB_INITSTORAGE, readings.size() + 2, static_cast<LPARAM>(bytes));
    ListBoxControl control(list_);
    return SetDisplayLines(control, source, readings, lineNo_ != 0, furigana);
} catch (const std::bad_alloc&) {
    return false;
}

bool ReadingListView::GetLineText(int index, std::string& text) const
try {
    text.clear();
    if (!list_) return false;
    ListBoxControl control(list_);
    return GetDisplayLineText(control, index, lineNo_ != 0, text);
} catch (const std::bad_alloc&) {
    text.clear();
    return false;
}

bool ReadingListView::GetCaretLineText(std::string& text) const
{
    text.clear();
    if (!list_) return false;
    const LRESULT caret = SendMessageA(list_, LB_GETCARETINDEX, 0, 0);
    if (caret == LB_ERR) return false;
    return GetLineText(static_cast<int>(caret), text);
}

void ReadingListView::Resize(UINT sizeType, int width, int height)
{
    if (!list_) return;
    if (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED || sizeType == SIZE_MAXSHOW) {
        MoveWindow(list_, 0, 0, width, height, TRUE);
    }
}

void ReadingListView::Focus()
{
    if (list_) SetFocus(list_);
}

int ReadingListView::GetItemHeight() const
{
    if (!list_) return 18;
    const LRESULT height = SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0);
    return height == LB_ERR ? 18 : static_cast<int>(height);
}

int ReadingListView::GetLineCount() const
{
    if (!list_) return 0;
    const LRESULT count = SendMessageA(list_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

bool ReadingListView::GetBounds(RECT& rect) const
{
    rect = RECT{0, 0, 128, 128};
    return list_ && GetWindowRect(list_, &rect);
}

// Reading a line is where memory can run out (GetLineText turns that into false);
// the copy itself only hands the text on.
LRESULT ReadingListView::OnVKeyToItem(WPARAM wParam, LineCopier& copier)
{
    const int caret = HIWORD(wParam);
    const int answer = AnswerListKey(LOWORD(wParam), caret, GetLineCount());
    if (answer == kKeyHandled) CopyCaretLine(copier);
    return answer;
}

bool ReadingListView::CopyCaretLine(LineCopier& copier) const
{
    std::string text;
    if (!GetCaretLineText(text)) return false;
    copier.CopyLine(text);
    return true;
}

bool ReadingListView::CopyLineAt(int index, LineCopier& copier) const
{
    std::string text;
    if (!GetLineText(index, text)) return false;
    copier.CopyLine(text);
    return true;
}

}  // namespace lexidrop
