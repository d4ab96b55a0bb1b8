#include "MessageLoop.h"

#include "Win32Handles.h"
#include "res/resource.h"

#include <array>

namespace {

// Delete, Ctrl+A and Ctrl+Z edit the text of the box that has the focus (the filter box) rather
// than the list's rows.
bool IsTextEditingKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    std::array<wchar_t, 8> className{};
    if (!GetClassNameW(message.hwnd, className.data(), static_cast<int>(className.size())) ||
        CompareStringOrdinal(className.data(), -1, L"Edit", -1, TRUE) != CSTR_EQUAL) {
        return false;
    }
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    return message.wParam == VK_DELETE || (control && (message.wParam == 'A' || message.wParam == 'Z'));
}

}  // namespace

void TranslateAndDispatch(MSG& message, HWND window, HACCEL accelerators) {
    if (accelerators && !IsTextEditingKey(message) && TranslateAcceleratorW(window, accelerators, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(HWND window, HINSTANCE instance) {
    const UniqueAcceleratorTable accelerators(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN_ACCEL)));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) TranslateAndDispatch(message, window, accelerators.get());
    return static_cast<int>(message.wParam);
}
