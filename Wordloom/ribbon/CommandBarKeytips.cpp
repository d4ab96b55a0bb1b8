// The command bar's keytips: the badges, the thread hooks that take the keys while they show,
// and the walk from the top level to a tab's commands.
#include "CommandBar.h"
#include "CommandBarParts.h"

#include "AsciiCase.h"
#include "Keytips.h"

#include <algorithm>

using commandbar::IsDropDown;
using commandbar::ItemRect;
using commandbar::KeytipKeyMessage;

namespace {

// The bar whose keytips this thread shows: the hooks have no other way to find it.
thread_local CCommandBar* keytipBar = nullptr;

LRESULT CALLBACK BadgeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT box{};
        GetClientRect(window, &box);
        FillRect(dc, &box, GetSysColorBrush(COLOR_INFOBK));
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        wchar_t text[16]{};
        GetWindowTextW(window, text, 16);
        SelectedObject font(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
        DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        EndPaint(window, &paint);
        return 0;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A badge centred under a control (screen rectangle), straddling its lower edge; it never takes
// the activation, so the frame keeps its focus and its keys.
HWND ShowBadge(HWND owner, HFONT font, const std::u16string& keytip, bool enabled, RECT control, int padding) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    WNDCLASSEXW badgeClass{};
    badgeClass.cbSize = sizeof badgeClass;
    badgeClass.lpfnWndProc = BadgeProc;
    badgeClass.hInstance = instance;
    badgeClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    badgeClass.lpszClassName = KeytipBadgeClassName;
    if (!RegisterClassExW(&badgeClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    const std::wstring text(keytip.begin(), keytip.end());
    SIZE size{};
    if (const HDC screen = GetDC(nullptr)) {
        SelectedObject selected(screen, font);
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
        ReleaseDC(nullptr, screen);
    }
    const int height = size.cy + padding;
    const int width = std::max<int>(size.cx + 2 * padding, height);
    const int x = (control.left + control.right - width) / 2;
    const int y = control.bottom - height / 2;
    const HWND badge = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, KeytipBadgeClassName,
                                       text.c_str(), WS_POPUP | (enabled ? 0 : WS_DISABLED), x, y, width, height, owner,
                                       nullptr, instance, nullptr);
    if (!badge) return nullptr;
    SetWindowLongPtrW(badge, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
    ShowWindow(badge, SW_SHOWNOACTIVATE);
    return badge;
}

bool StartsIgnoringAsciiCase(std::u16string_view text, std::u16string_view start) {
    return text.size() >= start.size() && EqualsIgnoringAsciiCase(text.substr(0, start.size()), start);
}

}  // namespace

void CCommandBar::StartKeytips(wchar_t typed) {
    if (!window_ || toolbars_.size() < 2) return;
    if (keytipBar && keytipBar != this) keytipBar->LeaveKeytips();
    keytipBar = this;
    const DWORD thread = GetCurrentThreadId();
    if (!keyHook_) keyHook_.reset(SetWindowsHookExW(WH_KEYBOARD, KeytipKeyProc, nullptr, thread));
    if (!mouseHook_) mouseHook_.reset(SetWindowsHookExW(WH_MOUSE, KeytipMouseProc, nullptr, thread));
    if (!focusHook_) focusHook_.reset(SetWindowsHookExW(WH_CBT, KeytipFocusProc, nullptr, thread));
    if (!keyHook_) {
        // Without the keys nothing could pick a badge or take them away again.
        LeaveKeytips();
        return;
    }
    ShowKeytipLevel(KeytipLevel::Top);
    if (typed) TypeKeytipKey(UpperAscii(static_cast<char16_t>(typed)));
}

void CCommandBar::LeaveKeytips() {
    EndKeytipMode();
    EndPeek();
}

void CCommandBar::EndKeytipMode() {
    HideBadges();
    keytipTargets_.clear();
    keytipTyped_.clear();
    keytipLevel_ = KeytipLevel::None;
    keyHook_.reset();
    mouseHook_.reset();
    focusHook_.reset();
    if (keytipBar == this) keytipBar = nullptr;
}

void CCommandBar::HideBadges() {
    for (const HWND badge : badges_) {
        if (badge && IsWindow(badge)) DestroyWindow(badge);
    }
    badges_.clear();
}

std::u16string CCommandBar::KeytipOf(std::uint16_t command) const {
    const RibbonCommand* found = model_.Command(command);
    return found ? found->keytip : std::u16string();
}

std::vector<std::u16string> CCommandBar::KeytipPath(HWND part, int index) const {
    if (part == tabRow_) {
        const bool known = index >= 0 && static_cast<std::size_t>(index) < model_.tabs.size();
        return {known ? KeytipOf(model_.tabs[static_cast<std::size_t>(index)].command) : std::u16string()};
    }
    const Toolbar* toolbar = ToolbarOf(part);
    if (!toolbar || index < 0 || static_cast<std::size_t>(index) >= toolbar->commands.size()) return {};
    const std::uint16_t command = toolbar->commands[index];
    if (toolbar->group == 0) {
        return {part == toolbars_[1].window ? QuickAccessKeytip(static_cast<std::size_t>(index)) : KeytipOf(command)};
    }
    return {KeytipPath(tabRow_, 0).front(), KeytipOf(command)};
}

void CCommandBar::StartPeek() {
    if (!collapsed_ || peeking_ || !window_) return;
    peeking_ = true;
    Arrange();
    // Over the window's other children, as a popup would be.
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CCommandBar::EndPeek() {
    if (!peeking_) return;
    peeking_ = false;
    Arrange();
}

void CCommandBar::ShowKeytipLevel(KeytipLevel level) {
    HideBadges();
    keytipTargets_.clear();
    keytipTyped_.clear();
    keytipLevel_ = level;
    const auto addButtons = [&](const Toolbar& toolbar) {
        for (std::size_t index = 0; index < toolbar.commands.size(); ++index) {
            const std::uint16_t command = toolbar.commands[index];
            const bool enabled = SendMessageW(toolbar.window, TB_ISBUTTONENABLED, command, 0) != 0;
            const int button = static_cast<int>(index);
            keytipTargets_.push_back({KeytipPath(toolbar.window, button).back(), toolbar.window, button, command, enabled});
        }
    };
    if (level == KeytipLevel::Top) {
        addButtons(toolbars_[0]);
        if (tabRow_ && !model_.tabs.empty()) {
            keytipTargets_.push_back({KeytipPath(tabRow_, 0).front(), tabRow_, 0, model_.tabs.front().command, true});
        }
        addButtons(toolbars_[1]);
    } else {
        for (std::size_t index = 2; index < toolbars_.size(); ++index) addButtons(toolbars_[index]);
    }
    for (const KeytipTarget& target : keytipTargets_) {
        RECT control{};
        if (target.control == tabRow_) {
            SendMessageW(tabRow_, TCM_GETITEMRECT, target.index, reinterpret_cast<LPARAM>(&control));
        } else {
            control = ItemRect(target.control, target.index);
        }
        MapWindowPoints(target.control, nullptr, reinterpret_cast<POINT*>(&control), 2);
        badges_.push_back(target.keytip.empty()
                              ? nullptr
                              : ShowBadge(frame_, font_.get(), target.keytip, target.enabled, control, Scale(4)));
    }
}

void CCommandBar::TypeKeytipKey(WPARAM key) {
    if (keytipLevel_ == KeytipLevel::None) return;  // a key that was on its way when the mode ended
    if (key == VK_ESCAPE) {
        if (keytipLevel_ == KeytipLevel::Tab) {
            EndPeek();
            ShowKeytipLevel(KeytipLevel::Top);
        } else {
            LeaveKeytips();
        }
        return;
    }
    if (key == VK_SHIFT || key == VK_LSHIFT || key == VK_RSHIFT || key == VK_CAPITAL) return;  // case does not matter
    char16_t typed = 0;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) typed = static_cast<char16_t>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) typed = static_cast<char16_t>(u'0' + (key - VK_NUMPAD0));
    if (!typed) {
        LeaveKeytips();
        return;
    }
    std::vector<std::u16string> keytips;
    for (const KeytipTarget& target : keytipTargets_) keytips.push_back(target.keytip);
    const std::u16string sofar = keytipTyped_ + typed;
    const KeytipMatchResult match = MatchKeytip(keytips, sofar);
    if (match.match == KeytipMatch::None) {
        LeaveKeytips();
    } else if (match.match == KeytipMatch::Partial) {
        // Only the badges that the keys so far start stay.
        keytipTyped_ = sofar;
        for (std::size_t index = 0; index < badges_.size(); ++index) {
            if (badges_[index] && !StartsIgnoringAsciiCase(keytips[index], sofar)) ShowWindow(badges_[index], SW_HIDE);
        }
    } else {
        RunKeytipTarget(keytipTargets_[match.index]);
    }
}

void CCommandBar::RunKeytipTarget(const KeytipTarget& chosen) {
    const KeytipTarget target = chosen;  // the level's targets go as the level changes
    if (target.control == tabRow_) {
        StartPeek();  // the badges go on the groups, which must show first
        ShowKeytipLevel(KeytipLevel::Tab);
        return;
    }
    if (!target.enabled) {
        // A disabled command stays on show and does nothing; the level starts again.
        MessageBeep(MB_OK);
        ShowKeytipLevel(keytipLevel_);
        return;
    }
    PressButton(target.command, target.control, target.index);
}

LRESULT CALLBACK CCommandBar::KeytipKeyProc(int code, WPARAM key, LPARAM flags) {
    CCommandBar* bar = keytipBar;
    if (code < 0 || !bar || !bar->window_) return CallNextHookEx(nullptr, code, key, flags);
    // Every key is the keytips' while they show; only first presses count (not releases,
    // such as the Alt or F10 that started them, nor repeats).
    const bool released = (flags & (KF_UP << 16)) != 0;
    const bool repeat = (flags & (KF_REPEAT << 16)) != 0;
    if (!released && !repeat) PostMessageW(bar->window_, KeytipKeyMessage, key, 0);
    return 1;
}

LRESULT CALLBACK CCommandBar::KeytipMouseProc(int code, WPARAM message, LPARAM info) {
    // A click on a peeked group's button is the button's: it ends the mode itself when it runs.
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(info);
    const bool onPeek = keytipBar && keytipBar->peeking_ && mouse && keytipBar->ToolbarOf(mouse->hwnd);
    if (code >= 0 && keytipBar && !onPeek) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: PostMessageW(keytipBar->window_, KeytipKeyMessage, 0, 0); break;
        default: break;
        }
    }
    return CallNextHookEx(nullptr, code, message, info);
}

LRESULT CALLBACK CCommandBar::KeytipFocusProc(int code, WPARAM window, LPARAM info) {
    if ((code == HCBT_SETFOCUS || code == HCBT_ACTIVATE) && keytipBar) {
        PostMessageW(keytipBar->window_, KeytipKeyMessage, 0, 0);
    }
    return CallNextHookEx(nullptr, code, window, info);
}
