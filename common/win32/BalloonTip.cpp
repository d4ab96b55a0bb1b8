#include "BalloonTip.h"

#include "DialogLayout.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {

constexpr UINT_PTR FieldSubclassId = 1;
constexpr UINT_PTR TipSubclassId = 2;
constexpr int MaxTipWidth96 = 320;

TTTOOLINFOW ToolOf(HWND field) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = field;
    return tool;
}

// The large title icons drawn from the system's icons: Wine's tooltips know only the small
// ones, and an icon of ours is drawn the same by both.
UniqueIcon LargeTitleIcon(int icon) {
    const wchar_t* system = icon == TTI_INFO_LARGE      ? IDI_INFORMATION
                            : icon == TTI_WARNING_LARGE ? IDI_WARNING
                            : icon == TTI_ERROR_LARGE   ? IDI_ERROR
                                                        : nullptr;
    HICON loaded = nullptr;
    if (!system || FAILED(LoadIconMetric(nullptr, system, LIM_LARGE, &loaded))) return {};
    return UniqueIcon(loaded);
}

// Where the stem points: under the caret when the field has it, else under the field's middle.
POINT StemPoint(HWND field) {
    RECT client{};
    GetClientRect(field, &client);
    POINT at{(client.left + client.right) / 2, client.bottom};
    POINT caret{};
    if (GetFocus() == field && GetCaretPos(&caret)) at.x = std::clamp(caret.x, client.left, client.right);
    ClientToScreen(field, &at);
    return at;
}

int FieldDpi(HWND field) {
    const WindowDC dc(field);
    return dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : BaseDpi;
}

}  // namespace

CBalloonTip::~CBalloonTip() {
    Hide();
}

bool CBalloonTip::CreateTip(HWND field) {
    const HWND owner = GetAncestor(field, GA_ROOT);
    if (tip_ && GetWindow(tip_.get(), GW_OWNER) == owner) return true;
    tip_.reset();  // the tip of another window's field
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(field, GWLP_HINSTANCE));
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr));
    if (!tip_) return false;
    SetWindowSubclass(tip_.get(), TipProc, TipSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void CBalloonTip::Show(HWND field, const std::wstring& title, const std::wstring& text, int icon) {
    Hide();
    if (!IsWindow(field) || !CreateTip(field)) return;
    const HWND tip = tip_.get();
    TTTOOLINFOW tool = ToolOf(field);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // the tooltip keeps a copy
    tool.lParam = reinterpret_cast<LPARAM>(this);
    if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return;

    // The tooltip copies the icon it is given.
    const UniqueIcon large = LargeTitleIcon(icon);
    const WPARAM titleIcon = large ? reinterpret_cast<WPARAM>(large.get()) : static_cast<WPARAM>(icon);
    SendMessageW(tip, TTM_SETTITLEW, titleIcon, reinterpret_cast<LPARAM>(title.c_str()));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(MaxTipWidth96, FieldDpi(field)));
    const POINT stem = StemPoint(field);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(stem.x, stem.y));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));

    SetWindowSubclass(field, FieldProc, FieldSubclassId, reinterpret_cast<DWORD_PTR>(this));
    field_ = field;
    title_ = title;
    icon_ = icon;
}

void CBalloonTip::Hide() {
    if (!field_) return;
    const HWND field = std::exchange(field_, nullptr);
    RemoveWindowSubclass(field, FieldProc, FieldSubclassId);
    if (!tip_) return;
    TTTOOLINFOW tool = ToolOf(field);
    SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK CBalloonTip::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR balloon) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_KILLFOCUS:
    case WM_NCDESTROY:
        // Gone before the field handles the key: a refusal that follows may show it again.
        reinterpret_cast<CBalloonTip*>(balloon)->Hide();
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT CALLBACK CBalloonTip::TipProc(HWND tip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR balloon) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(tip, TipProc, TipSubclassId);
        reinterpret_cast<CBalloonTip*>(balloon)->tip_.release();  // destroyed with its owner
    }
    return DefSubclassProc(tip, message, wParam, lParam);
}
