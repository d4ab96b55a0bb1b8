#include "MessageLoop.h"

#include "Win32Handles.h"
#include "res/resource.h"

void TranslateAndDispatch(MSG& message, HWND window, HACCEL accelerators) {
    if (accelerators && TranslateAcceleratorW(window, accelerators, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(HWND window, HINSTANCE instance) {
    const UniqueAcceleratorTable accelerators(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN_ACCEL)));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) TranslateAndDispatch(message, window, accelerators.get());
    return static_cast<int>(message.wParam);
}
