// Memory exhaustion ends an operation as an ordinary failure: no exception
// leaves these functions for the window procedures that call them.
#include "ui/reading_list_view.h"

#include <new>

#include "lookup/display_lines.h"
#include "win32/code_page_text.h"

namespace lexidrop {
namespace {

bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

// The display rules' view of a Win32 list box, with the long lines kept whole
// beside it; made over a const store it only reads.
class ListBoxControl : public ListControl {
public:
    ListBoxControl(HWND list, ReadingListView::LongLines& longLines)
        : list_(list), longLines_(longLines), changes_(&longLines)
    {
    }
    ListBoxControl(HWND list, const ReadingListView::LongLines& longLines) : list_(list), longLines_(longLines) {}

    void ResetContent() override
    {
        if (!changes_) return;
        SendMessageA(list_, LB_RESETCONTENT, 0, 0);
        changes_->lines.clear();
    }
    int AddString(const std::string& text) override { return Add(LB_ADDSTRING, 0, text); }
    int InsertString(int index, const std::string& text) override
    {
        return Add(LB_INSERTSTRING, static_cast<WPARAM>(index), text);
    }
    int DeleteString(int index) override
    {
        if (!changes_) return -1;
        const LRESULT key = SendMessageA(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
        if (key != LB_ERR && key != 0) changes_->lines.erase(key);
        return static_cast<int>(SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0));
    }
    int GetCount() override { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }
    bool GetText(int index, std::string& text) override
    {
        const LRESULT key = SendMessageA(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
        if (key != LB_ERR && key != 0) {
            const auto line = longLines_.lines.find(key);
            if (line != longLines_.lines.end()) {
                text = line->second;
                return true;
            }
        }
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
    // A long line gets its prefix in place, and the list box its new start:
    // reading it out and adding it again would copy it twice more.
    bool PrefixLine(int index, const std::string& prefix) override
    {
        if (!changes_) return false;
        const LRESULT key = SendMessageA(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
        const auto line = key != LB_ERR && key != 0 ? changes_->lines.find(key) : changes_->lines.end();
        if (line == changes_->lines.end()) return ListControl::PrefixLine(index, prefix);
        line->second.insert(0, prefix);
        const std::string part = line->second.substr(0, ShownLength(line->second, IsAnsiLeadByte));
        if (SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR) return false;
        const LRESULT added =
            SendMessageA(list_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(part.c_str()));
        if (added < 0 || SendMessageA(list_, LB_SETITEMDATA, static_cast<WPARAM>(added), key) == LB_ERR) {
            changes_->lines.erase(line);
            return false;
        }
        return true;
    }

private:
    // Adds (LB_ADDSTRING) or inserts the shown part of `text`; a longer line is
    // kept whole under a new key. The item's index, or negative on failure.
    int Add(UINT message, WPARAM index, const std::string& text)
    {
        if (!changes_) return -1;
        const std::size_t shown = ShownLength(text, IsAnsiLeadByte);
        if (shown == text.size())
            return static_cast<int>(SendMessageA(list_, message, index, reinterpret_cast<LPARAM>(text.c_str())));
        const std::string part = text.substr(0, shown);
        const LPARAM key = ++changes_->lastKey;
        // Room for a line number's prefix, put in place later.
        std::string whole;
        whole.reserve(text.size() + 2);
        whole.append(text);
        changes_->lines.emplace(key, std::move(whole));
        const LRESULT added = SendMessageA(list_, message, index, reinterpret_cast<LPARAM>(part.c_str()));
        if (added < 0 || SendMessageA(list_, LB_SETITEMDATA, static_cast<WPARAM>(added), key) == LB_ERR) {
            changes_->lines.erase(key);
            return added < 0 ? static_cast<int>(added) : -1;
        }
        return static_cast<int>(added);
    }

    HWND list_;
    const ReadingListView::LongLines& longLines_;
    ReadingListView::LongLines* changes_ = nullptr;
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
    longLines_.lines.clear();
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
    auto shown = [](const std::string& line) { return ShownLength(line, IsAnsiLeadByte) + 3; };
    std::size_t bytes = shown(source) + shown(furigana);
    for (const std::string& reading : readings) bytes += shown(reading);
    SendMessageA(list_, LB_INITSTORAGE, readings.size() + 2, static_cast<LPARAM>(bytes));
    ListBoxControl control(list_, longLines_);
    return SetDisplayLines(control, source, readings, lineNo_ != 0, furigana);
} catch (const std::bad_alloc&) {
    return false;
}

bool ReadingListView::GetLineText(int index, std::string& text) const
try {
    text.clear();
    if (!list_) return false;
    ListBoxControl control(list_, longLines_);  // reads only: the const store
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
