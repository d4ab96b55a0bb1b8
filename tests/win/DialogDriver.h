// Driving the real dialogs from a test: answering a modal dialog from inside its own message
// loop, finding the dialog of this thread, reading texts and control rectangles.
#pragma once

#include <windows.h>

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

// The visible dialog window of this thread, or null.
HWND FindThisThreadsDialog();

std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int controlId);

// A control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int controlId);

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
