// Binding of objects to real windows under the shared procedure: class
// windows, dialogs (modeless and modal, from an in-memory template) and
// subclassed controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "win32/window_object.h"

namespace lexidrop {
namespace {

constexpr char kTestClass[] = "LexidropWindowObjectTestClass";
constexpr UINT kEndDialogMessage = WM_APP + 1;

HANDLE Property(HWND window)
{
    return GetPropA(window, "X_PROP_NAME");
}

// Records every message it sees; answers a few itself.
class Recorder : public WindowObject {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == WM_DESTROY) {
            boundDuringDestroy = Property(window) == static_cast<HANDLE>(this);
        }
        if (message == kEndDialogMessage) {
            EndDialog(window, 42);
            return TRUE;
        }
        if (message == WM_CHAR && wParam == 'x') {
            return 0;  // swallowed: the control never sees an 'x'
        }
        return WindowObject::HandleMessage(window, message, wParam, lParam);
    }

    bool Saw(UINT message) const
    {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    std::vector<UINT> messages;
    bool boundDuringDestroy = false;
};

class WindowObjectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = SharedWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kTestClass;
        RegisterClassExA(&wc);
    }

    static HWND CreateClassWindow(WindowObject* object)
    {
        return CreateWindowExA(0, kTestClass, "title", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), object);
    }
};

// A dialog template with a font (so that WM_SETFONT precedes WM_INITDIALOG)
// and one edit control.
class DialogTemplate {
public:
    DialogTemplate()
    {
        const DWORD style = WS_POPUP | WS_CAPTION | DS_SETFONT;
        Dword(style);
        Dword(0);             // extended style
        words_.push_back(1);  // one item
        words_.insert(words_.end(), {0, 0, 100, 50});
        words_.push_back(0);  // no menu
        words_.push_back(0);  // default class
        words_.push_back(0);  // empty title
        words_.push_back(9);  // point size
        Text(L"MS Shell Dlg");
        if (words_.size() % 2 != 0) {
            words_.push_back(0);  // items start on a DWORD boundary
        }
        Dword(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
        Dword(0);
        words_.insert(words_.end(), {5, 5, 80, 12});
        words_.push_back(300);                          // control id
        words_.insert(words_.end(), {0xFFFF, 0x0081});  // EDIT
        words_.push_back(0);                            // no text
        words_.push_back(0);                            // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Dword(DWORD value)
    {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void Text(const wchar_t* text)
    {
        for (; *text != L'\0'; ++text) {
            words_.push_back(static_cast<WORD>(*text));
        }
        words_.push_back(0);
    }

    std::vector<WORD> words_;
};

TEST_F(WindowObjectTest, ClassWindowIsBoundFromNcCreateUntilDestroy)
{
    Recorder object;
    HWND window = CreateClassWindow(&object);
    ASSERT_NE(window, nullptr);

    ASSERT_FALSE(object.messages.empty());
    EXPECT_EQ(object.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(object.Saw(WM_CREATE));
    EXPECT_EQ(object.Window(), window);
    EXPECT_EQ(Property(window), static_cast<HANDLE>(&object));
    EXPECT_EQ(object.IsDialog(), 0);
    // The class already runs the shared procedure: nothing was replaced, and
    // unhandled messages go to DefWindowProcA.
    EXPECT_EQ(object.PreviousProcedure(), 0);
    SetWindowTextA(window, "changed");
    char text[32] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "changed");

    DestroyWindow(window);
    EXPECT_TRUE(object.Saw(WM_DESTROY));
    EXPECT_TRUE(object.boundDuringDestroy);
    EXPECT_FALSE(object.Saw(WM_NCDESTROY));  // unbound after WM_DESTROY
    EXPECT_EQ(object.Window(), window);      // the stale handle stays stored
}

TEST_F(WindowObjectTest, NullCreationParameterGivesPlainDefaultWindow)
{
    HWND window = CreateClassWindow(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Property(window), nullptr);
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_TRUE(DestroyWindow(window));
}

TEST_F(WindowObjectTest, AttachAndDetachWithoutWindowReportFailure)
{
    Recorder object;
    EXPECT_EQ(object.Attach(nullptr), 0);
    EXPECT_EQ(object.Window(), nullptr);
    EXPECT_EQ(object.Detach(), 0);
}

TEST_F(WindowObjectTest, ModelessDialogIsBoundAtInitDialog)
{
    DialogTemplate dialogTemplate;
    Recorder object;
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(), nullptr,
                                             reinterpret_cast<DLGPROC>(SharedWindowProc),
                                             reinterpret_cast<LPARAM>(&object));
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(object.messages.empty());
    // WM_SETFONT came before and was answered with 0 without the object.
    EXPECT_EQ(object.messages.front(), static_cast<UINT>(WM_INITDIALOG));
    EXPECT_FALSE(object.Saw(WM_SETFONT));
    EXPECT_EQ(object.IsDialog(), 1);
    EXPECT_EQ(object.PreviousProcedure(), 0);
    EXPECT_EQ(Property(dialog), static_cast<HANDLE>(&object));

    // Unhandled messages get the dialog manager's default processing.
    SetWindowTextA(dialog, "dialog");
    char text[32] = {};
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "dialog");

    DestroyWindow(dialog);
    EXPECT_TRUE(object.boundDuringDestroy);
    EXPECT_EQ(Property(dialog), nullptr);
}

// Ends its modal dialog from inside the dialog's own message loop.
class SelfEndingDialog : public Recorder {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITDIALOG) {
            PostMessageA(window, kEndDialogMessage, 0, 0);
        }
        return Recorder::HandleMessage(window, message, wParam, lParam);
    }
};

TEST_F(WindowObjectTest, ModalDialogEndsWithObjectsResult)
{
    DialogTemplate dialogTemplate;
    HWND owner = CreateClassWindow(nullptr);
    ASSERT_NE(owner, nullptr);
    SelfEndingDialog object;
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(), owner,
                                                   reinterpret_cast<DLGPROC>(SharedWindowProc),
                                                   reinterpret_cast<LPARAM>(&object));
    EXPECT_EQ(result, 42);
    ASSERT_FALSE(object.messages.empty());
    EXPECT_EQ(object.messages.front(), static_cast<UINT>(WM_INITDIALOG));
    EXPECT_TRUE(object.boundDuringDestroy);
    DestroyWindow(owner);
}

TEST_F(WindowObjectTest, FallbackAnswersZeroForUnboundDialogAndDefaultForWindow)
{
    DialogTemplate dialogTemplate;
    // A dialog started with the shared procedure but no object never binds.
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(), nullptr,
                                             reinterpret_cast<DLGPROC>(SharedWindowProc), 0);
    ASSERT_NE(dialog, nullptr);
    SetWindowTextA(dialog, "abc");
    EXPECT_EQ(Property(dialog), nullptr);
    EXPECT_EQ(SharedWindowProc(dialog, WM_GETTEXTLENGTH, 0, 0), 0);
    DestroyWindow(dialog);

    HWND window = CreateClassWindow(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SharedWindowProc(window, WM_GETTEXTLENGTH, 0, 0), 5);
    DestroyWindow(window);
}

// Observes the control's procedure slot and property right after its
// WM_DESTROY has been handled, before the window is gone.
struct AfterDestroy {
    HWND window = nullptr;
    LONG_PTR procedure = 0;
    HANDLE property = nullptr;
    bool seen = false;
};
AfterDestroy* g_afterDestroy = nullptr;

LRESULT CALLBACK AfterMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* info = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_afterDestroy != nullptr && info->hwnd == g_afterDestroy->window &&
        info->message == WM_DESTROY) {
        g_afterDestroy->procedure = GetWindowLongPtrA(info->hwnd, GWLP_WNDPROC);
        g_afterDestroy->property = Property(info->hwnd);
        g_afterDestroy->seen = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(WindowObjectTest, SubclassedControlKeepsItsBehaviourAndGetsItsProcedureBack)
{
    HWND parent = CreateClassWindow(nullptr);
    ASSERT_NE(parent, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);

    Recorder object;
    ASSERT_EQ(object.Attach(edit), 1);
    EXPECT_EQ(object.IsDialog(), 0);
    EXPECT_EQ(object.PreviousProcedure(), own);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SharedWindowProc));

    // Messages passed to the base reach the edit control; the swallowed one does not.
    SendMessageA(edit, WM_CHAR, 'a', 0);
    SendMessageA(edit, WM_CHAR, 'x', 0);
    SendMessageA(edit, WM_CHAR, 'b', 0);
    char text[16] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "ab");

    AfterDestroy after;
    after.window = edit;
    g_afterDestroy = &after;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessageHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DestroyWindow(edit);
    UnhookWindowsHookEx(hook);
    g_afterDestroy = nullptr;

    EXPECT_TRUE(object.boundDuringDestroy);
    ASSERT_TRUE(after.seen);
    EXPECT_EQ(after.procedure, own);
    EXPECT_EQ(after.property, nullptr);
    DestroyWindow(parent);
}

TEST_F(WindowObjectTest, ExplicitDetachRestoresControlAndReattachDoesNotStackProcedures)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);

    Recorder object;
    object.Attach(edit);
    EXPECT_EQ(object.Detach(), 1);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
    EXPECT_EQ(Property(edit), nullptr);

    // A window whose slot already holds the shared procedure keeps no
    // previous procedure, even for an object that held one before.
    Recorder second;
    second.Attach(edit);
    object.Attach(edit);
    EXPECT_EQ(object.PreviousProcedure(), 0);
    EXPECT_EQ(second.PreviousProcedure(), own);
    second.Detach();
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
    DestroyWindow(edit);
}

}  // namespace
}  // namespace lexidrop
