// The base of every dialog of both tools: one object per dialog window, one message dispatch
// each. The object is found from the window's DWLP_USER slot, set on WM_INITDIALOG and cleared
// after the last message.
#pragma once

#include <windows.h>

class CDialog {
public:
    CDialog() = default;
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // The dialog window while it exists, else null.
    HWND Window() const { return window_; }

protected:
    // Returns what a dialog procedure returns: FALSE for the default dialog processing. This one
    // hands WM_INITDIALOG to OnInitDialog and WM_COMMAND to OnCommand; a dialog that handles
    // other messages overrides it and passes the rest on here.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The controls are there; the system then gives the focus to the first one that takes it.
    virtual void OnInitDialog() {}

    // A control's notification, a button or a key command; whether the dialog handled it.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }

    // After the window's last message; Window() is already null.
    virtual void OnFinalMessage() {}

    // A modal dialog from the template; the result of EndDialog, or -1 when it cannot be shown.
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner);

    // A modeless child dialog of `parent` from the template (hidden until shown); null on failure.
    HWND CreateChild(HINSTANCE instance, int templateId, HWND parent);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};
