// The phrase tool's entry point: one instance per window title, the main window, and the one
// message loop of the process with the main window's accelerators.
#include "DisplayMetrics.h"
#include "MainWindow.h"
#include "MessageLoop.h"
#include "UiStrings.h"
#include "Win32Handles.h"
#include "res/resource.h"

#include <array>

namespace {

constexpr int ExitCouldNotStartCom = -1;
constexpr int ExitAlreadyRunning = 1;
constexpr int ExitNoWindow = -2;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const ComApartment com;
    if (!com.ok()) return ExitCouldNotStartCom;

    SetUpThreadAndProcessUiLanguage();
    std::array<wchar_t, StringBufferLength> title{};
    LoadUiString(IDS_APP_TITLE, title);

    // The caption is the key: an instance started under the other language is not found.
    if (const HWND running = FindWindowW(nullptr, title.data())) {
        SetForegroundWindow(running);
        return ExitAlreadyRunning;
    }

    CMainWindow mainWindow;
    const HWND window = mainWindow.Create(instance, title.data());
    if (!window) return ExitNoWindow;  // without a window the loop could never end
    CentreWindow(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    return RunMessageLoop(window, instance);
}
