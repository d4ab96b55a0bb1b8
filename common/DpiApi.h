// Display-scaling calls that only newer Windows versions have, looked up at run time so that
// the tools still start on Windows 7. A null pointer means the system lacks the call.
#pragma once

#include <windows.h>

struct DpiApi {
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* enableNonClientDpiScaling)(HWND) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

const DpiApi& Dpi();

inline constexpr int MonitorEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
