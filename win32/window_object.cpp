#include "win32/window_object.h"

namespace lexidrop {
namespace {

// The window property that holds the address of the bound object.
constexpr char kPropertyName[] = "X_PROP_NAME";

LONG_PTR SharedProcedureValue()
{
    return reinterpret_cast<LONG_PTR>(&SharedWindowProc);
}

// A dialog's window carries its dialog procedure in the extra bytes at
// DWLP_DLGPROC; an ordinary window has no such bytes and reads as 0.
bool HasDialogProcedure(HWND window)
{
    return GetWindowLongPtrA(window, DWLP_DLGPROC) != 0;
}

int ProcedureSlot(int isDialog)
{
    return isDialog ? DWLP_DLGPROC : GWLP_WNDPROC;
}

}  // namespace

LRESULT WindowObject::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previous_ != 0) {
        return CallWindowProcA(reinterpret_cast<WNDPROC>(previous_), window, message, wParam, lParam);
    }
    if (isDialog_) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WindowObject::Attach(HWND window)
{
    if (window == nullptr) {
        return 0;
    }
    window_ = window;
    isDialog_ = HasDialogProcedure(window) ? 1 : 0;
    SetPropA(window, kPropertyName, reinterpret_cast<HANDLE>(this));
    const int slot = ProcedureSlot(isDialog_);
    previous_ = 0;
    if (GetWindowLongPtrA(window, slot) != SharedProcedureValue()) {
        previous_ = SetWindowLongPtrA(window, slot, SharedProcedureValue());
    }
    return 1;
}

int WindowObject::Detach()
{
    if (window_ == nullptr) {
        return 0;
    }
    if (previous_ != 0) {
        SetWindowLongPtrA(window_, ProcedureSlot(isDialog_), previous_);
    }
    RemovePropA(window_, kPropertyName);
    return 1;
}

LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = static_cast<WindowObject*>(GetPropA(window, kPropertyName));
    if (object == nullptr) {
        if ((message == WM_NCCREATE || message == WM_CREATE) && lParam != 0) {
            object = static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        } else if (message == WM_INITDIALOG) {
            object = reinterpret_cast<WindowObject*>(lParam);
        }
        if (object == nullptr) {
            if (HasDialogProcedure(window)) {
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        }
        object->Attach(window);
    }
    // The one exception boundary: nothing may unwind through the system's frames.
    // A message whose handling failed (memory exhausted, say) is answered as unhandled.
    LRESULT result = 0;
    try {
        result = object->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        result = HasDialogProcedure(window) ? 0 : DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        object->Detach();
    }
    return result;
}

}  // namespace lexidrop
