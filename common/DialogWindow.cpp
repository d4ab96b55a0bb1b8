#include "DialogWindow.h"

#include "DpiApi.h"

#include <cstddef>

namespace {

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

// The effective DPI of the monitor nearest to the window; 0 when it cannot be had.
int MonitorDpi(HWND window) {
    if (!CurrentWindowsVersion().IsWindows8Point1OrLater() || !Dpi().getDpiForMonitor) return 0;
    UINT x = 0;
    UINT y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (FAILED(Dpi().getDpiForMonitor(monitor, MonitorEffectiveDpi, &x, &y))) return 0;
    return static_cast<int>(x);
}

// The system's message font, its height scaled by numerator / denominator.
UniqueFont CreateMessageFont(int numerator, int denominator) {
    NONCLIENTMETRICSW metrics{};
    // The size without the padded border width, which every Windows version accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return {};
    LOGFONTW font = metrics.lfMessageFont;
    if (numerator != denominator) font.lfHeight = MulDiv(font.lfHeight, numerator, denominator);
    return UniqueFont(CreateFontIndirectW(&font));
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

DialogMeasure::DialogMeasure(HWND dialog, DialogDpiRule rule) : dc_(dialog) {
    if (rule == DialogDpiRule::Monitor) {
        const int systemDpi = SystemDpi();
        const int monitorDpi = MonitorDpi(dialog);
        if (monitorDpi > 0 && monitorDpi != systemDpi) {
            font_ = CreateMessageFont(monitorDpi, systemDpi);
            dpi_ = monitorDpi;
        } else {
            font_ = CreateMessageFont(1, 1);
            dpi_ = systemDpi;
        }
        if (!dc_) dpi_ = BaseDpi;
    } else {
        font_ = CreateMessageFont(1, 1);
        dpi_ = dc_ ? GetDeviceCaps(dc_.get(), LOGPIXELSX) : BaseDpi;
    }
    if (dc_ && font_) selected_.emplace(dc_.get(), font_.get());
}

std::optional<Size> DialogMeasure::Extent(const std::wstring& text) const {
    if (!dc_) return std::nullopt;
    SIZE extent{};
    if (!GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &extent)) {
        return std::nullopt;
    }
    return Size{extent.cx, extent.cy};
}

std::optional<int> DialogMeasure::TextHeight() const {
    TEXTMETRICW metrics{};
    if (!dc_ || !GetTextMetricsW(dc_.get(), &metrics)) return std::nullopt;
    return metrics.tmHeight;
}

Size ResizeDialogClient(HWND dialog, Size client, int dpi, DialogDpiRule rule) {
    RECT frame{0, 0, client.cx, client.cy};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    const WindowsVersion version = CurrentWindowsVersion();
    if (rule == DialogDpiRule::Monitor && version.IsWindows10OrLater() && version.build >= 14393 &&
        Dpi().adjustWindowRectExForDpi) {
        Dpi().adjustWindowRectExForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    MoveWindow(dialog, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    RECT real{};
    GetClientRect(dialog, &real);
    return Size{real.right - real.left, real.bottom - real.top};
}

void PlaceDialogControl(HWND dialog, int controlId, const Rect& rect, HFONT font,
                        const std::wstring* text) {
    const HWND control = GetDlgItem(dialog, controlId);
    if (!control) return;
    MoveWindow(control, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (text) SetWindowTextW(control, text->c_str());
}

void CentreDialog(HWND dialog) {
    RECT window{};
    GetWindowRect(dialog, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) return;

    std::optional<Rect> ownerRect;
    const HWND owner = GetWindow(dialog, GW_OWNER);
    RECT ownerWindow{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &ownerWindow)) {
        ownerRect = FromRECT(ownerWindow);
    }
    const Rect placed = CentredDialogRect(FromRECT(window), ownerRect, FromRECT(monitor.rcWork));
    SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EnableNonClientScalingIfNeeded(HWND dialog) {
    const WindowsVersion version = CurrentWindowsVersion();
    if (version.IsWindows10OrLater() && version.build >= 14393 && version.build < 15063 &&
        Dpi().enableNonClientDpiScaling) {
        Dpi().enableNonClientDpiScaling(dialog);
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

void LoadDialogIcons(HWND dialog, HINSTANCE instance, int iconId, int dpi, DialogDpiRule rule,
                     UniqueIcon& smallIcon, UniqueIcon& bigIcon) {
    auto metric = [&](int index) {
        if (rule == DialogDpiRule::Monitor && CurrentWindowsVersion().IsWindows10OrLater() &&
            Dpi().getSystemMetricsForDpi) {
            return Dpi().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
        }
        const int plain = GetSystemMetrics(index);
        const int logPixels = ScreenLogPixels();
        return rule == DialogDpiRule::Monitor && dpi != logPixels ? MulDiv(plain, dpi, logPixels) : plain;
    };
    auto load = [&](int cxIndex, int cyIndex) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                        metric(cxIndex), metric(cyIndex), LR_DEFAULTCOLOR)));
    };
    UniqueIcon newSmall = load(SM_CXSMICON, SM_CYSMICON);
    UniqueIcon newBig = load(SM_CXICON, SM_CYICON);
    // The window hands back the icon it had; ours are freed by their owners below.
    auto set = [dialog](WPARAM which, const UniqueIcon& icon, const UniqueIcon& previous) {
        if (!icon) return;
        const auto old = reinterpret_cast<HICON>(
            SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get())));
        if (old && old != previous.get()) DestroyIcon(old);
    };
    set(ICON_SMALL, newSmall, smallIcon);
    set(ICON_BIG, newBig, bigIcon);
    if (newSmall) smallIcon = std::move(newSmall);
    if (newBig) bigIcon = std::move(newBig);
}
