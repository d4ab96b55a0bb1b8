#include "DialogDriver.h"

#include <utility>

namespace {

// The dialogs the timer is waiting for, in order, and the one it answered last (which may
// still be on screen while it closes).
const std::vector<std::function<void(HWND)>>* pendingAnswers = nullptr;
std::size_t nextAnswer = 0;
HWND lastAnswered = nullptr;

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerWhenUp(HWND, UINT, UINT_PTR, DWORD) {
    if (!pendingAnswers || nextAnswer >= pendingAnswers->size()) return;
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog || dialog == lastAnswered) return;
    lastAnswered = dialog;
    // The answer may run a modal loop of its own in which this timer fires again.
    (*pendingAnswers)[nextAnswer++](dialog);
}

}  // namespace

HWND FindThisThreadsDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

INT_PTR RunDialogAnswered(const std::function<INT_PTR()>& show,
                          const std::function<void(HWND dialog)>& answer) {
    return RunDialogsAnswered(show, {answer});
}

INT_PTR RunDialogsAnswered(const std::function<INT_PTR()>& show,
                           const std::vector<std::function<void(HWND dialog)>>& answers) {
    pendingAnswers = &answers;
    nextAnswer = 0;
    lastAnswered = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerWhenUp);
    const INT_PTR result = show();
    KillTimer(nullptr, timer);
    pendingAnswers = nullptr;
    lastAnswered = nullptr;
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
