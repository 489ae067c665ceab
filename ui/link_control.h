// A read-only rich edit control of a dialog turned into a hyperlink: coloured,
// underlined text, a hand cursor while the pointer is over the text, and an
// action on a plain left-button press over the text. Shift- and Ctrl-clicks
// and clicks beside the text reach the control as usual.
#pragma once
#include <windows.h>

#include "win32/window_object.h"

namespace lexidrop {

class LinkControl : public WindowObject {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // What a plain press over the text does; the base passes the press on to
    // the control itself.
    virtual LRESULT OnClick(WPARAM wParam, LPARAM lParam);

    // Binds the control `controlId` of `dialog` to this object and gives it
    // this link's text, colour and cursor resource. 1 when done, 0 when the
    // dialog or the control does not exist.
    int Install(HWND dialog, int controlId, int cursorId);

    // 1 when the pointer is over the link text, else 0.
    int IsCursorOverText();
    // Measures the text as the control's window shows it; false when it cannot.
    bool MeasureText();

    HCURSOR Cursor() const { return cursor_; }
    const char* Text() const { return text_; }
    const RECT& HitRect() const { return hitRect_; }

protected:
    // A link of one kind: its text (not owned, outlives the object) and colour.
    LinkControl(const char* linkText, COLORREF colour) : linkText_(linkText), colour_(colour) {}
    ~LinkControl() = default;

private:
    LRESULT OnSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const char* linkText_;
    COLORREF colour_;
    HCURSOR cursor_ = nullptr;
    const char* text_ = "";
    RECT hitRect_ = {0, 0, 0, 0};
};

// The author's home page, in blue; a click opens it.
class UrlLink : public LinkControl {
public:
    UrlLink();
    LRESULT OnClick(WPARAM wParam, LPARAM lParam) override;
};

// The author's e-mail address, in green; a click opens "mailto:" + address.
class MailLink : public LinkControl {
public:
    MailLink();
    LRESULT OnClick(WPARAM wParam, LPARAM lParam) override;
};

inline constexpr const char* kHomePageUrl = "https://tessaloon.github.io/lexidrop/";
inline constexpr const char* kMailAddress = "lexidrop@tessaloon.jp";
inline constexpr COLORREF kUrlColour = RGB(0, 0, 255);
inline constexpr COLORREF kMailColour = RGB(0, 128, 0);

}  // namespace lexidrop
