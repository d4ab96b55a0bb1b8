#include "DisplayMetrics.h"

#include "DialogWindow.h"
#include "DpiApi.h"
#include "Win32Handles.h"

#include <cstddef>

DisplayMetrics DisplayMetricsFor(HWND window) {
    DisplayMetrics metrics;
    metrics.smallIconWidth = GetSystemMetrics(SM_CXSMICON);
    metrics.smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    metrics.largeIconWidth = GetSystemMetrics(SM_CXICON);
    metrics.largeIconHeight = GetSystemMetrics(SM_CYICON);
    NONCLIENTMETRICSW nonClient{};
    // The size without the padded border width, which every Windows version accepts.
    nonClient.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, nonClient.cbSize, &nonClient, 0);

    const WindowsVersion version = CurrentWindowsVersion();
    UINT dpiX = BaseDpi;
    UINT dpiY = BaseDpi;
    if (version.IsWindows8Point1OrLater() && Dpi().getDpiForMonitor &&
        SUCCEEDED(Dpi().getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                         MonitorEffectiveDpi, &dpiX, &dpiY))) {
        metrics.monitorDpiKnown = true;
        if (version.IsWindows10OrLater() && Dpi().getSystemMetricsForDpi && Dpi().systemParametersInfoForDpi) {
            metrics.smallIconWidth = Dpi().getSystemMetricsForDpi(SM_CXSMICON, dpiX);
            metrics.smallIconHeight = Dpi().getSystemMetricsForDpi(SM_CYSMICON, dpiX);
            metrics.largeIconWidth = Dpi().getSystemMetricsForDpi(SM_CXICON, dpiX);
            metrics.largeIconHeight = Dpi().getSystemMetricsForDpi(SM_CYICON, dpiX);
            Dpi().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, nonClient.cbSize, &nonClient, 0, dpiX);
        } else {
            const WindowDC dc(window);
            const int reference = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : BaseDpi;
            const int monitor = static_cast<int>(dpiX);
            if (reference != monitor) {
                for (int* value : {&metrics.smallIconWidth, &metrics.smallIconHeight,
                                   &metrics.largeIconWidth, &metrics.largeIconHeight}) {
                    *value = MulDiv(*value, monitor, reference);
                }
                nonClient.lfMessageFont.lfHeight = MulDiv(nonClient.lfMessageFont.lfHeight, monitor, reference);
            }
        }
    }
    metrics.messageFont = nonClient.lfMessageFont;
    return metrics;
}
