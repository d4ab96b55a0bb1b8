// The display as both tools see it: the one Windows-version query, the DPI of the system, of a
// monitor and of a window's device context, the message font and icon sizes at a DPI, window
// frames for a DPI, and centring. Newer scaling calls are looked up at run time, so the tools
// still start on Windows 7; where a call is missing the older way is taken.
#pragma once

#include "DialogLayout.h"
#include "Win32Handles.h"

#include <windows.h>

struct WindowsVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    bool IsWindows8Point1OrLater() const { return major > 6 || (major == 6 && minor >= 3); }
    bool IsWindows10OrLater() const { return major >= 10; }
};

// The real version, not the one a missing compatibility manifest entry would pretend.
WindowsVersion CurrentWindowsVersion();

// LOGPIXELSX of the screen, or 96 when it cannot be read.
int ScreenLogPixels();

// The system DPI: GetDpiForSystem on Windows 10, else the screen's LOGPIXELSX.
int SystemDpi();

// The effective DPI of the monitor nearest to the window; 0 when it cannot be had (before
// Windows 8.1, or when the query fails).
int MonitorDpi(HWND window);

// The system's message font, its height scaled by numerator / denominator; empty on failure.
UniqueFont CreateMessageFont(int numerator, int denominator);

// A system metric (an icon size) for a window laid out at dpi: asked for that DPI on Windows 10,
// else the plain metric scaled from the screen's DPI.
int SystemMetricAtDpi(int index, int dpi);

// Icon sizes and the message font for the monitor a window is on (the phrase tool's window).
struct DisplayMetrics {
    int smallIconWidth = 0;
    int smallIconHeight = 0;
    int largeIconWidth = 0;
    int largeIconHeight = 0;
    LOGFONTW messageFont{};
    bool monitorDpiKnown = false;  // the metrics follow the monitor's effective DPI
};

DisplayMetrics DisplayMetricsFor(HWND window);
// The same for a monitor DPI that is already known (a DPI change names the new one); at 0, the
// system's own metrics.
DisplayMetrics DisplayMetricsAtDpi(HWND window, int monitorDpi);

// The window rectangle for a client rectangle: AdjustWindowRectExForDpi at dpi where Windows 10
// 1607 and later have it and perMonitor is asked for, else AdjustWindowRectEx.
RECT FrameForClient(HWND window, Size client, int dpi, bool perMonitor);

// On the Windows 10 builds whose non-client area does not scale by itself (14393 up to 15063).
void EnableNonClientScalingIfNeeded(HWND window);

// The box a check box or radio button draws its mark in, for dialogs laid out at `dpi` by the
// monitor's DPI: the menu check mark with an edge beside it (width) and its height, scaled from
// the system DPI to the monitor's where Windows 10 1703 and later draw them per monitor.
Size CheckMarkBox(int dpi);

// Centres the window over its visible, not minimised owner, else over the nearest monitor's
// work area, and keeps it inside that work area; neither size nor Z order change. A main
// window has no owner, so it goes to the middle of the work area.
void CentreWindow(HWND window);
