#include "ConfigurePages.h"

namespace {

// Notifications and requests of the page's controls: the frame answers them.
bool IsForwardedToFrame(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return true;
    default:
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

// Messages whose answer a dialog procedure returns itself; for all others it goes through
// DWLP_MSGRESULT.
bool IsAnsweredDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM;
}

}  // namespace

bool CConfigurePage::Create(HINSTANCE instance, HWND frame) {
    frame_ = frame;
    return CreateChild(instance, templateId_, frame) != nullptr;
}

INT_PTR CConfigurePage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsForwardedToFrame(message) || !frame_) return FALSE;
    const LRESULT answer = SendMessageW(frame_, message, wParam, lParam);
    if (IsAnsweredDirectly(message)) return static_cast<INT_PTR>(answer);
    SetWindowLongPtrW(Window(), DWLP_MSGRESULT, answer);
    return TRUE;
}
