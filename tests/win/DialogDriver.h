// Driving the real dialogs from a test: answering a modal dialog from inside its own message
// loop, finding the dialog of this thread, reading texts and control rectangles.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Runs `answer` on the first dialog window of this thread once it is up, from a timer inside
// the dialog's own modal loop; `show` opens the dialog and returns its result.
INT_PTR RunDialogAnswered(const std::function<INT_PTR()>& show,
                          const std::function<void(HWND dialog)>& answer);

// The same for a run that opens several dialogs one after the other: each answer takes the
// next one that comes up.
INT_PTR RunDialogsAnswered(const std::function<INT_PTR()>& show,
                           const std::vector<std::function<void(HWND dialog)>>& answers);

// Runs each step from a timer inside the modal loop of the dialog `show` opens, one step per
// tick, so that what a step posts (keys, clicks) has gone through that loop, message-filter
// hooks included, before the next step looks. The last step should close the dialog; one still
// open ten seconds after its last step is ended with `forcedEndResult`.
struct DialogStepsRun {
    INT_PTR result = 0;
    std::size_t stepsRun = 0;
    bool endedByTheRunner = false;
};
DialogStepsRun RunDialogSteps(const std::function<INT_PTR()>& show,
                              const std::vector<std::function<void(HWND dialog)>>& steps,
                              INT_PTR forcedEndResult);

// A key as the keyboard delivers it to the control with the focus, or to the dialog when no
// control has it; posted, so the dialog's loop takes it.
void PressKey(UINT virtualKey);

// The visible dialog window of this thread, or null.
HWND FindThisThreadsDialog();

// For the screenshot hooks, which are not checks: false when tools/screenshots did not start
// this test; else true, with the process's UI language set to the one it asks for.
bool UseScreenshotLanguage();

std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int controlId);

// A control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int controlId);

// Shows a dialog and, before closing it, reads its client rectangle ([0]) and then the
// rectangles of the controls in its client coordinates, in the order of their ids.
template <std::size_t N>
std::array<RECT, N + 1> DialogRects(const std::function<INT_PTR()>& show, const int (&controlIds)[N]) {
    std::array<RECT, N + 1> rects{};
    RunDialogAnswered(show, [&](HWND dialog) {
        GetClientRect(dialog, &rects[0]);
        for (std::size_t index = 0; index < N; ++index) rects[index + 1] = ControlRect(dialog, controlIds[index]);
        EndDialog(dialog, IDCANCEL);
    });
    return rects;
}

// What the balloon tip on an edit field shows (common/win32/BalloonTip.h): the text and whether
// it is up from the tooltip window, the title and icon from the helper that shows it. Nothing
// when no tooltip of this thread has a tool on the field.
struct BalloonView {
    bool visible = false;
    std::wstring title;
    std::wstring text;
    int icon = 0;  // the title icon asked for: TTI_INFO_LARGE, TTI_ERROR_LARGE, ...
};
std::optional<BalloonView> BalloonOn(HWND field);
