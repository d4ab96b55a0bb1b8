// Icon sizes and the message font for the monitor a window is on.
#pragma once

#include <windows.h>

struct DisplayMetrics {
    int smallIconWidth = 0;
    int smallIconHeight = 0;
    int largeIconWidth = 0;
    int largeIconHeight = 0;
    LOGFONTW messageFont{};
    bool monitorDpiKnown = false;  // the metrics follow the monitor's effective DPI
};

DisplayMetrics DisplayMetricsFor(HWND window);
