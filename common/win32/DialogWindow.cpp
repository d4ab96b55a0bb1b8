#include "DialogWindow.h"

DialogMeasure::DialogMeasure(HWND dialog, DialogDpiRule rule, int announcedDpi) : dc_(dialog) {
    if (rule == DialogDpiRule::Monitor) {
        const int systemDpi = SystemDpi();
        const int monitorDpi = announcedDpi > 0 ? announcedDpi : MonitorDpi(dialog);
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

std::optional<TEXTMETRICW> DialogMeasure::Metrics() const {
    TEXTMETRICW metrics{};
    if (!dc_ || !GetTextMetricsW(dc_.get(), &metrics)) return std::nullopt;
    return metrics;
}

std::optional<int> DialogMeasure::TextHeight() const {
    const std::optional<TEXTMETRICW> metrics = Metrics();
    return metrics ? std::optional<int>(metrics->tmHeight) : std::nullopt;
}

std::optional<int> DialogMeasure::WidestCharWidth() const {
    const std::optional<TEXTMETRICW> metrics = Metrics();
    return metrics ? std::optional<int>(metrics->tmMaxCharWidth) : std::nullopt;
}

Size ResizeDialogClient(HWND dialog, Size client, int dpi, DialogDpiRule rule) {
    const RECT frame = FrameForClient(dialog, client, dpi, rule == DialogDpiRule::Monitor);
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

void LoadDialogIcons(HWND dialog, HINSTANCE instance, int iconId, int dpi, DialogDpiRule rule,
                     UniqueIcon& smallIcon, UniqueIcon& bigIcon) {
    auto metric = [&](int index) {
        return rule == DialogDpiRule::Monitor ? SystemMetricAtDpi(index, dpi) : GetSystemMetrics(index);
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
