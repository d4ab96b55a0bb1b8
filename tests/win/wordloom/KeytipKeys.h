// Keys typed at the ribbon's keytips, as the keyboard gives them, and the keytip badges on show.
#pragma once

#include "CommandBar.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

// Handles what is waiting, a few rounds, so that what a key posted has been handled.
inline void Pump() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// A key press through the input queue, where the keytip hook sees keys (keys posted to a
// window do not pass it under Wine).
inline void Press(WPARAM key) {
    INPUT input[2]{};
    for (INPUT& one : input) {
        one.type = INPUT_KEYBOARD;
        one.ki.wVk = static_cast<WORD>(key);
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Pump();
}

// A named callback: 32-bit Windows calls it with its own convention, which a lambda lacks.
inline BOOL CALLBACK CollectShownBadge(HWND window, LPARAM found) {
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != KeytipBadgeClassName || !IsWindowVisible(window)) return TRUE;
    wchar_t text[16]{};
    GetWindowTextW(window, text, 16);
    reinterpret_cast<std::vector<std::wstring>*>(found)->push_back(std::wstring(text) +
                                                                   (IsWindowEnabled(window) ? L"" : L"(off)"));
    return TRUE;
}

// The keytip badges on show: their texts, sorted, with "(off)" after a disabled command's.
inline std::vector<std::wstring> ShownKeytips() {
    std::vector<std::wstring> shown;
    EnumThreadWindows(GetCurrentThreadId(), CollectShownBadge, reinterpret_cast<LPARAM>(&shown));
    std::sort(shown.begin(), shown.end());
    return shown;
}
