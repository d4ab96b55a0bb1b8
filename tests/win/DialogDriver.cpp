#include "DialogDriver.h"

#include <utility>

namespace {

// The dialog the timer is waiting for, and what to do with it.
const std::function<void(HWND)>* pendingAnswer = nullptr;

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerWhenUp(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog || !pendingAnswer) return;
    KillTimer(nullptr, timer);
    const auto* answer = std::exchange(pendingAnswer, nullptr);
    (*answer)(dialog);
}

}  // namespace

HWND FindThisThreadsDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

INT_PTR RunDialogAnswered(const std::function<INT_PTR()>& show,
                          const std::function<void(HWND dialog)>& answer) {
    pendingAnswer = &answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerWhenUp);
    const INT_PTR result = show();
    KillTimer(nullptr, timer);
    pendingAnswer = nullptr;
    return result;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ControlText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

RECT ControlRect(HWND dialog, int controlId) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, controlId), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
