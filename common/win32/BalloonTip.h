// The balloon that a dialog shows on an edit field to say why it refused something: a title
// with an icon, and a text, pointing at the field. It is a tracking tooltip of our own rather
// than the edit control's balloon, which Wine does not have, so it looks the same everywhere.
//
// Reading it from outside: the tooltip is a top-level window of the field's thread with one
// tool whose hwnd is the field and whose lParam is the CBalloonTip showing it; TTM_GETTEXT gives
// the text and the window is visible exactly while the balloon is shown. Wine's tooltips do not
// answer TTM_GETTITLE, so the title and icon are read from the object.
#pragma once

#include "Win32Handles.h"

#include <windows.h>

#include <string>

class CBalloonTip {
public:
    CBalloonTip() = default;
    ~CBalloonTip();
    CBalloonTip(const CBalloonTip&) = delete;
    CBalloonTip& operator=(const CBalloonTip&) = delete;

    // Shows the balloon on the field, in place of any balloon shown before on whichever field.
    // icon is a title icon of the tooltip control (TTI_INFO, TTI_ERROR_LARGE, ...). Like the
    // edit control's own balloon it goes when the user types in the field or the field loses
    // the focus.
    void Show(HWND field, const std::wstring& title, const std::wstring& text, int icon);
    void Hide();

    // The field the balloon points at while it is shown, else null.
    HWND Field() const { return field_; }
    // What the last Show asked for.
    const std::wstring& Title() const { return title_; }
    int Icon() const { return icon_; }

private:
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR balloon);
    static LRESULT CALLBACK TipProc(HWND tip, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR balloon);
    bool CreateTip(HWND field);

    // Owned by the field's dialog, which keeps it above itself; destroyed here or, when the
    // dialog goes first, together with the dialog (the handle is then given up).
    UniqueWindow tip_;
    HWND field_ = nullptr;  // subclassed while the balloon is shown
    std::wstring title_;
    int icon_ = 0;
};
