#include "DisplayMetrics.h"

#include <cstddef>
#include <optional>

namespace {

// Display-scaling calls that only newer Windows versions have. A null pointer means the system
// lacks the call.
struct DpiApi {
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* enableNonClientDpiScaling)(HWND) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

constexpr int MonitorEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
    if (!module) return;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiApi& Dpi() {
    static const DpiApi api = [] {
        DpiApi found;
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        Find(user32, "GetDpiForSystem", found.getDpiForSystem);
        Find(user32, "AdjustWindowRectExForDpi", found.adjustWindowRectExForDpi);
        Find(user32, "EnableNonClientDpiScaling", found.enableNonClientDpiScaling);
        Find(user32, "GetSystemMetricsForDpi", found.getSystemMetricsForDpi);
        Find(user32, "SystemParametersInfoForDpi", found.systemParametersInfoForDpi);
        // The shell scaling library stays loaded for the life of the process.
        Find(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor", found.getDpiForMonitor);
        return found;
    }();
    return api;
}

// The size without the padded border width, which every Windows version accepts.
constexpr UINT NonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

std::optional<NONCLIENTMETRICSW> NonClientMetrics() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = NonClientMetricsSize;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return std::nullopt;
    return metrics;
}

Rect FromRECT(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

WindowsVersion CurrentWindowsVersion() {
    static const WindowsVersion version = [] {
        WindowsVersion result;
        using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        const auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                               reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                                         : nullptr;
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        if (rtlGetVersion && rtlGetVersion(&info) == 0) {
            result = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
        }
        return result;
    }();
    return version;
}

int ScreenLogPixels() {
    const WindowDC screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : BaseDpi;
}

int SystemDpi() {
    if (CurrentWindowsVersion().IsWindows10OrLater() && Dpi().getDpiForSystem) {
        return static_cast<int>(Dpi().getDpiForSystem());
    }
    return ScreenLogPixels();
}

int MonitorDpi(HWND window) {
    if (!CurrentWindowsVersion().IsWindows8Point1OrLater() || !Dpi().getDpiForMonitor) return 0;
    UINT x = 0;
    UINT y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (FAILED(Dpi().getDpiForMonitor(monitor, MonitorEffectiveDpi, &x, &y))) return 0;
    return static_cast<int>(x);
}

UniqueFont CreateMessageFont(int numerator, int denominator) {
    const std::optional<NONCLIENTMETRICSW> metrics = NonClientMetrics();
    if (!metrics) return {};
    LOGFONTW font = metrics->lfMessageFont;
    if (numerator != denominator) font.lfHeight = MulDiv(font.lfHeight, numerator, denominator);
    return UniqueFont(CreateFontIndirectW(&font));
}

int SystemMetricAtDpi(int index, int dpi) {
    if (CurrentWindowsVersion().IsWindows10OrLater() && Dpi().getSystemMetricsForDpi) {
        return Dpi().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    }
    const int plain = GetSystemMetrics(index);
    const int logPixels = ScreenLogPixels();
    return dpi != logPixels ? MulDiv(plain, dpi, logPixels) : plain;
}

DisplayMetrics DisplayMetricsFor(HWND window) {
    return DisplayMetricsAtDpi(window, MonitorDpi(window));
}

DisplayMetrics DisplayMetricsAtDpi(HWND window, int monitor) {
    DisplayMetrics metrics;
    metrics.smallIconWidth = GetSystemMetrics(SM_CXSMICON);
    metrics.smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    metrics.largeIconWidth = GetSystemMetrics(SM_CXICON);
    metrics.largeIconHeight = GetSystemMetrics(SM_CYICON);
    NONCLIENTMETRICSW nonClient = NonClientMetrics().value_or(NONCLIENTMETRICSW{});

    if (monitor > 0) {
        metrics.monitorDpiKnown = true;
        const auto dpi = static_cast<UINT>(monitor);
        if (CurrentWindowsVersion().IsWindows10OrLater() && Dpi().getSystemMetricsForDpi &&
            Dpi().systemParametersInfoForDpi) {
            metrics.smallIconWidth = Dpi().getSystemMetricsForDpi(SM_CXSMICON, dpi);
            metrics.smallIconHeight = Dpi().getSystemMetricsForDpi(SM_CYSMICON, dpi);
            metrics.largeIconWidth = Dpi().getSystemMetricsForDpi(SM_CXICON, dpi);
            metrics.largeIconHeight = Dpi().getSystemMetricsForDpi(SM_CYICON, dpi);
            nonClient.cbSize = NonClientMetricsSize;
            Dpi().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, nonClient.cbSize, &nonClient, 0, dpi);
        } else {
            const WindowDC dc(window);
            const int reference = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : BaseDpi;
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

RECT FrameForClient(HWND window, Size client, int dpi, bool perMonitor) {
    RECT frame{0, 0, client.cx, client.cy};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const WindowsVersion version = CurrentWindowsVersion();
    if (perMonitor && version.IsWindows10OrLater() && version.build >= 14393 && Dpi().adjustWindowRectExForDpi) {
        Dpi().adjustWindowRectExForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

void EnableNonClientScalingIfNeeded(HWND window) {
    const WindowsVersion version = CurrentWindowsVersion();
    if (version.IsWindows10OrLater() && version.build >= 14393 && version.build < 15063 &&
        Dpi().enableNonClientDpiScaling) {
        Dpi().enableNonClientDpiScaling(window);
    }
}

Size CheckMarkBox(int dpi) {
    Size box{GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYMENUCHECK)};
    const WindowsVersion version = CurrentWindowsVersion();
    const int systemDpi = SystemDpi();
    if (version.IsWindows10OrLater() && version.build >= 15063 && dpi > 0 && dpi != systemDpi) {
        box = Size{MulDiv(box.cx, dpi, systemDpi), MulDiv(box.cy, dpi, systemDpi)};
    }
    return box;
}

void CentreWindow(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return;

    std::optional<Rect> ownerRect;
    const HWND owner = GetWindow(window, GW_OWNER);
    RECT ownerWindow{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &ownerWindow)) {
        ownerRect = FromRECT(ownerWindow);
    }
    const Rect placed = CentredDialogRect(FromRECT(frame), ownerRect, FromRECT(monitor.rcWork));
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
