// Binding of a C++ object to a window. One procedure, SharedWindowProc, is the
// window procedure of the program's window class, the dialog procedure of its
// dialogs and the subclassing procedure of existing controls; it finds the
// object of a window through a window property and hands every message to the
// object's HandleMessage.
#pragma once
#include <windows.h>

namespace lexidrop {

class WindowObject {
public:
    WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // Default handling: the replaced procedure when there is one, "not handled"
    // (0) for a dialog, DefWindowProcA otherwise.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Binds the window to this object: sets the property and, unless the
    // window's procedure slot already holds SharedWindowProc, replaces the
    // procedure and keeps the old one. 1 when bound, 0 for a null handle.
    int Attach(HWND window);
    // Puts a replaced procedure back and removes the property. 1 when a window
    // was stored, 0 otherwise. The stored values are left as they are.
    int Detach();

    HWND Window() const { return window_; }
    LONG_PTR PreviousProcedure() const { return previous_; }
    int IsDialog() const { return isDialog_; }

protected:
    // Not virtual: the objects are owned by value and never deleted through
    // this base. Destruction does not unbind; the window must be gone first.
    ~WindowObject() = default;

    // For dialog runners: forget the handle once their dialog has ended.
    void ForgetWindow() { window_ = nullptr; }

private:
    HWND window_ = nullptr;
    LONG_PTR previous_ = 0;
    int isDialog_ = 0;
};

LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lexidrop
