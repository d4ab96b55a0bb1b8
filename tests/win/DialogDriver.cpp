#include "DialogDriver.h"

#include "BalloonTip.h"
#include "UiStrings.h"

#include <commctrl.h>

#include <cstdlib>
#include <iterator>
#include <utility>

namespace {

// The dialogs the timer is waiting for, in order, and the one it answered last (which may
// still be on screen while it closes).
const std::vector<std::function<void(HWND)>>* pendingAnswers = nullptr;
std::size_t nextAnswer = 0;
HWND lastAnswered = nullptr;

std::wstring ClassOf(HWND window) {
    wchar_t className[32]{};
    GetClassNameW(window, className, 32);
    return className;
}

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
    if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct BalloonSearch {
    HWND field;
    std::optional<BalloonView> found;
};

BOOL CALLBACK FindBalloon(HWND window, LPARAM searchParam) {
    auto& search = *reinterpret_cast<BalloonSearch*>(searchParam);
    if (ClassOf(window) != TOOLTIPS_CLASSW) return TRUE;
    const auto tools = static_cast<UINT>(SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT index = 0; index < tools; ++index) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        if (!SendMessageW(window, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != search.field) {
            continue;
        }
        const auto* balloon = reinterpret_cast<const CBalloonTip*>(tool.lParam);
        BalloonView view;
        view.visible = IsWindowVisible(window) != FALSE;
        view.title = balloon->Title();
        view.icon = balloon->Icon();
        wchar_t text[1024]{};
        tool.lpszText = text;
        SendMessageW(window, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        view.text = text;
        search.found = view;
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

struct StepsInProgress {
    const std::vector<std::function<void(HWND)>>* steps = nullptr;
    INT_PTR forcedEndResult = 0;
    DialogStepsRun* run = nullptr;
    DWORD lastStepTick = 0;
};
StepsInProgress* stepsInProgress = nullptr;

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
    StepsInProgress* const progress = stepsInProgress;
    if (!progress) return;
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog) return;
    DialogStepsRun& run = *progress->run;
    if (run.stepsRun < progress->steps->size()) {
        (*progress->steps)[run.stepsRun++](dialog);
        progress->lastStepTick = GetTickCount();
    } else if (!run.endedByTheRunner && GetTickCount() - progress->lastStepTick > 10000) {
        run.endedByTheRunner = true;
        EndDialog(dialog, progress->forcedEndResult);
    }
}

}  // namespace

DialogStepsRun RunDialogSteps(const std::function<INT_PTR()>& show,
                              const std::vector<std::function<void(HWND dialog)>>& steps,
                              INT_PTR forcedEndResult) {
    DialogStepsRun run;
    StepsInProgress progress{&steps, forcedEndResult, &run, GetTickCount()};
    stepsInProgress = &progress;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, RunNextStep);
    run.result = show();
    KillTimer(nullptr, timer);
    stepsInProgress = nullptr;
    return run;
}

void PressKey(UINT virtualKey) {
    HWND target = GetFocus();
    if (!target) target = FindThisThreadsDialog();
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000u));
}

HWND FindThisThreadsDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

bool UseScreenshotLanguage() {
    const char* language = std::getenv("VANTIX_SCREENSHOT_LANGUAGE");
    if (!language) return false;
    SetProcessUiLanguage(static_cast<UiLanguage>(std::atoi(language)));
    return true;
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

std::optional<BalloonView> BalloonOn(HWND field) {
    BalloonSearch search{field, std::nullopt};
    EnumThreadWindows(GetWindowThreadProcessId(field, nullptr), FindBalloon, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
