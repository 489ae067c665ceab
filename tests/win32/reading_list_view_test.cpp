#include "ui/reading_list_view.h"

#include "lookup/display_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lexidrop {
namespace {

class RecordingCopier : public LineCopier {
public:
    std::vector<std::string> copied;
    bool CopyLine(const std::string& text) override
    {
        copied.push_back(text);
        return true;
    }
};

// A parent window that answers the list box's key notification like the main window.
// It also counts how often the list box draws: each drawing asks the parent for its colours.
struct Parent {
    ReadingListView view;
    RecordingCopier copier;
    int listDrawings = 0;
};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* parent = reinterpret_cast<Parent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (parent && message == WM_VKEYTOITEM) return parent->view.OnVKeyToItem(wParam, parent->copier);
    if (parent && message == WM_CTLCOLORLISTBOX) ++parent->listDrawings;
    return DefWindowProcA(window, message, wParam, lParam);
}

class ReadingListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ReadingListViewTestParent";
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&parent_));
    }
    void TearDown() override { DestroyWindow(window_); }

    ReadingListView& View() { return parent_.view; }
    std::vector<std::string> Stored() const
    {
        std::vector<std::string> lines;
        const HWND list = parent_.view.Handle();
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            lines.emplace_back(text);
        }
        return lines;
    }
    // A list box without LBS_NOINTEGRALHEIGHT shortens itself to whole lines.
    void ExpectIntegralHeight(const RECT& bounds, int height)
    {
        EXPECT_LE(bounds.bottom - bounds.top, height);
        EXPECT_GT(bounds.bottom - bounds.top, height - 2 * View().GetItemHeight());
    }
    int Caret() const
    {
        return static_cast<int>(SendMessageA(parent_.view.Handle(), LB_GETCARETINDEX, 0, 0));
    }
    void PressKey(WPARAM key) { SendMessageA(parent_.view.Handle(), WM_KEYDOWN, key, 0); }

    HWND window_ = nullptr;
    Parent parent_;
};

TEST_F(ReadingListViewTest, CreatesAVisibleListBoxOverTheClientArea)
{
    const HWND list = View().Create(window_, 0, 1);
    ASSERT_NE(list, nullptr);
    char className[32] = {};
    GetClassNameA(list, className, sizeof className);
    EXPECT_STREQ(className, "ListBox");
    EXPECT_EQ(GetDlgCtrlID(list), 200);
    EXPECT_TRUE(IsWindowVisible(list));
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(style & (LBS_SORT | LBS_WANTKEYBOARDINPUT | LBS_NOTIFY | LBS_HASSTRINGS),
              LBS_WANTKEYBOARDINPUT | LBS_NOTIFY | LBS_HASSTRINGS);
    RECT client = {}, bounds = {};
    GetClientRect(window_, &client);
    ASSERT_TRUE(View().GetBounds(bounds));
    EXPECT_EQ(bounds.right - bounds.left, client.right);
    ExpectIntegralHeight(bounds, client.bottom);
    EXPECT_GT(View().GetItemHeight(), 0);
    EXPECT_EQ(View().GetLineCount(), 0);

    // A second Create replaces the control.
    const HWND again = View().Create(window_, 1, 0);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetWindowLongA(again, GWL_STYLE) & LBS_SORT, LBS_SORT);
}

TEST_F(ReadingListViewTest, WithoutAListBoxEverythingAnswersWithItsDefault)
{
    ReadingListView view;
    EXPECT_EQ(view.GetItemHeight(), 18);
    EXPECT_EQ(view.GetLineCount(), 0);
    RECT bounds = {1, 2, 3, 4};
    EXPECT_FALSE(view.GetBounds(bounds));
    EXPECT_EQ(bounds.right, 128);
    EXPECT_EQ(bounds.bottom, 128);
    std::string text = "x";
    EXPECT_FALSE(view.GetCaretLineText(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(view.SetLines("a", {}, ""));
    EXPECT_FALSE(view.Recreate(0, 0));
    view.Resize(SIZE_RESTORED, 10, 10);
    view.Focus();
}

TEST_F(ReadingListViewTest, SortedNumberedLinesKeepTheSourceFirstAndReadWithoutPrefix)
{
    View().Create(window_, 1, 1);
    ReadingList readings;
    for (const char* r : {"せ", "あ", "う", "い", "お", "か", "き", "く", "け", "こ", "さ"})
        readings.push_back(r);
    ASSERT_TRUE(View().SetLines("ん", readings, ""));
    const auto lines = Stored();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "0 ん");
    EXPECT_EQ(lines[1], "1 あ");
    EXPECT_EQ(lines[9], "9 こ");
    EXPECT_EQ(lines[10], "  さ");
    EXPECT_EQ(lines[11], "  せ");
    EXPECT_EQ(Caret(), 0);

    std::string text;
    ASSERT_TRUE(View().GetLineText(11, text));
    EXPECT_EQ(text, "せ");
    ASSERT_TRUE(View().GetCaretLineText(text));
    EXPECT_EQ(text, "ん");
    EXPECT_FALSE(View().GetLineText(12, text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(View().GetLineCount(), 12);

    // A hot key for line 7 of a five-line list copies nothing.
    View().SetLines("s", {"a", "b", "c", "d"}, "");
    RecordingCopier copier;
    EXPECT_FALSE(View().CopyLineAt(7, copier));
    EXPECT_TRUE(View().CopyLineAt(4, copier));
    EXPECT_EQ(copier.copied, (std::vector<std::string>{"d"}));
}

TEST_F(ReadingListViewTest, AfterFillingTheWholeListIsRepaintedOnceAndRedrawsAgain)
{
    View().Create(window_, 1, 1);
    View().SetLines("前", {"まえ", "ぜん"}, "");
    UpdateWindow(window_);
    ReadingList readings;
    for (const char* r : {"せ", "あ", "う", "い", "お", "か", "き", "く", "け", "こ", "さ", "し", "す", "そ"})
        readings.push_back(r);

    parent_.listDrawings = 0;
    ASSERT_TRUE(View().SetLines("ん", readings, ""));
    EXPECT_EQ(parent_.listDrawings, 0);
    const HWND list = View().Handle();
    RECT pending = {};
    RECT client = {};
    GetClientRect(list, &client);
    ASSERT_TRUE(GetUpdateRect(list, &pending, FALSE));
    EXPECT_TRUE(EqualRect(&pending, &client));
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax, 14);
    EXPECT_EQ(scroll.nPos, 0);

    UpdateWindow(list);
    EXPECT_GT(parent_.listDrawings, 0);
    EXPECT_FALSE(GetUpdateRect(list, &pending, FALSE));
    const auto lines = Stored();
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "0 ん");
    EXPECT_EQ(lines[1], "1 あ");
    EXPECT_EQ(lines[9], "9 こ");
    EXPECT_EQ(lines[14], "  そ");
    EXPECT_EQ(Caret(), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);

    // Drawing is on again: a change shows without another fill.
    SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("ー"));
    EXPECT_TRUE(GetUpdateRect(list, &pending, FALSE));
}

TEST_F(ReadingListViewTest, LeftAndRightWrapUpAndDownStopEnterCopies)
{
    View().Create(window_, 0, 1);
    View().SetLines("src", {"b", "a"}, "");
    View().Focus();
    // Wine's list box spends the first key press on selecting the caret line when
    // nothing is selected yet; a click does the same, so start from there.
    SendMessageA(View().Handle(), LB_SETCURSEL, 0, 0);
    PressKey(VK_LEFT);
    EXPECT_EQ(Caret(), 2);
    PressKey(VK_RIGHT);
    EXPECT_EQ(Caret(), 0);
    PressKey(VK_UP);
    EXPECT_EQ(Caret(), 0);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(Caret(), 2);
    PressKey(VK_RETURN);
    EXPECT_EQ(parent_.copier.copied, (std::vector<std::string>{"a"}));
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    EXPECT_EQ(parent_.copier.copied, (std::vector<std::string>{"a", "src"}));
}

TEST_F(ReadingListViewTest, RecreateKeepsLinesAndLetsTheCaretFollowItsText)
{
    View().Create(window_, 0, 0);
    View().SetLines("src", {"c", "a", "b", "f", "e", "d", "h", "g"}, "");
    SendMessageA(View().Handle(), LB_SETCARETINDEX, 1, FALSE);  // on "c"

    // A window two lines high, so that the caret line can scroll to the top.
    RECT frame = {0, 0, 200, 2 * View().GetItemHeight()};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(View().Recreate(1, 1));
    EXPECT_EQ(Stored(),
              (std::vector<std::string>{"0 src", "1 a", "2 b", "3 c", "4 d", "5 e", "6 f", "7 g", "8 h"}));
    EXPECT_EQ(Caret(), 3);
    EXPECT_EQ(SendMessageA(View().Handle(), LB_GETTOPINDEX, 0, 0), 3);
    EXPECT_EQ(GetFocus(), View().Handle());

    // Switching the sort off keeps the sorted order; the caret on line 0 stays.
    SendMessageA(View().Handle(), LB_SETCARETINDEX, 0, FALSE);
    ASSERT_TRUE(View().Recreate(0, 0));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"src", "a", "b", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(Caret(), 0);

    // A caret text that no longer exists keeps the caret index.
    SendMessageA(View().Handle(), LB_SETCARETINDEX, 5, FALSE);
    ASSERT_TRUE(View().Recreate(0, 1));
    EXPECT_EQ(Caret(), 5);
    std::string text;
    ASSERT_TRUE(View().GetCaretLineText(text));
    EXPECT_EQ(text, "e");
}

TEST_F(ReadingListViewTest, TheFuriganaLineStaysLineOneThroughSortingAndRecreate)
{
    View().Create(window_, 1, 1);
    ASSERT_TRUE(View().SetLines("src", {"c", "a"}, "z[x]"));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"0 src", "1 z[x]", "2 a", "3 c"}));
    RecordingCopier copier;
    EXPECT_TRUE(View().CopyLineAt(1, copier));
    EXPECT_EQ(copier.copied, (std::vector<std::string>{"z[x]"}));

    // Rebuilt unsorted and then sorted: the furigana line is never sorted in.
    ASSERT_TRUE(View().Recreate(0, 1));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"0 src", "1 z[x]", "2 a", "3 c"}));
    ASSERT_TRUE(View().Recreate(1, 0));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"src", "z[x]", "a", "c"}));

    // A lookup without one makes line 1 a reading again.
    ASSERT_TRUE(View().SetLines("src", {"zz", "b"}, ""));
    ASSERT_TRUE(View().Recreate(1, 0));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"src", "b", "zz"}));
}

TEST_F(ReadingListViewTest, LongLinesShowTheirStartButReadBackWholeThroughNumberingSortAndRecreate)
{
    // The odd first byte puts a two-byte character across the cut.
    std::string text = "x";
    while (text.size() < 20000) text += "あ";
    std::string reading;
    while (reading.size() < 9000) reading += "い";
    View().Create(window_, 1, 1);
    ASSERT_TRUE(View().SetLines(text, {reading, "short"}, ""));

    const HWND list = View().Handle();
    ASSERT_EQ(View().GetLineCount(), 3);
    for (int i : {0, 2}) {
        SCOPED_TRACE(i);
        const LRESULT shown = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        EXPECT_LE(shown, static_cast<LRESULT>(kShownLineBytes));
        EXPECT_GT(shown, static_cast<LRESULT>(kShownLineBytes) - 2);
    }
    std::string line;
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        ASSERT_TRUE(View().GetLineText(0, line));
        EXPECT_TRUE(line == text);
        // Sorted by their start: the Latin line before the kana one.
        ASSERT_TRUE(View().GetLineText(1, line));
        EXPECT_EQ(line, "short");
        ASSERT_TRUE(View().GetLineText(2, line));
        EXPECT_TRUE(line == reading);
        ASSERT_TRUE(View().Recreate(0, 0));
    }
    RecordingCopier copier;
    EXPECT_TRUE(View().CopyLineAt(0, copier));
    ASSERT_EQ(copier.copied.size(), 1u);
    EXPECT_TRUE(copier.copied[0] == text);
}

TEST_F(ReadingListViewTest, RecreateOfAnEmptyListLeavesItEmpty)
{
    View().Create(window_, 0, 1);
    ASSERT_TRUE(View().Recreate(1, 0));
    EXPECT_EQ(View().GetLineCount(), 0);
    EXPECT_EQ(GetWindowLongA(View().Handle(), GWL_STYLE) & LBS_SORT, LBS_SORT);
}

TEST_F(ReadingListViewTest, ResizeFollowsOnlyVisibleSizeTypes)
{
    View().Create(window_, 0, 0);
    RECT before = {}, after = {};
    View().GetBounds(before);
    View().Resize(SIZE_MINIMIZED, 40, 50);
    View().Resize(SIZE_MAXHIDE, 40, 50);
    View().GetBounds(after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    View().Resize(SIZE_RESTORED, 90, 70);
    View().GetBounds(after);
    EXPECT_EQ(after.right - after.left, 90);
    ExpectIntegralHeight(after, 70);
    View().Resize(SIZE_MAXSHOW, 95, 75);
    View().GetBounds(after);
    EXPECT_EQ(after.right - after.left, 95);
}

}  // namespace
}  // namespace lexidrop
