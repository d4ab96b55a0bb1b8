// The command bar's window and its events: building its toolbars and tab row, measuring them
// for the layout (ribbondata/CommandBarLayout.h) and moving them where it says, and what clicks,
// keys and notifications on them do. Images, drawing, keytips and accessible objects have files
// of their own (CommandBarImages, CommandBarPainting, CommandBarKeytips, CommandBarAccessible).
#include "CommandBar.h"
#include "CommandBarAccessible.h"
#include "CommandBarImages.h"
#include "CommandBarParts.h"

#include "DisplayMetrics.h"

#include <commctrl.h>

#include <algorithm>

using commandbar::IsDropDown;
using commandbar::ItemRect;
using commandbar::KeytipKeyMessage;

namespace {

constexpr UINT_PTR PartSubclassId = 1;

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The narrowest width a label takes on at most two lines, broken at a space.
int TwoLineWidth(HDC dc, const std::wstring& label) {
    int best = TextWidth(dc, label);
    for (std::size_t space = label.find(L' '); space != std::wstring::npos; space = label.find(L' ', space + 1)) {
        best = std::min(best, std::max(TextWidth(dc, label.substr(0, space)), TextWidth(dc, label.substr(space + 1))));
    }
    return best;
}

// The extent of all the toolbar's buttons as laid out.
Size ToolbarExtent(HWND toolbar) {
    Size extent;
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        const RECT rect = ItemRect(toolbar, index);
        extent.cx = std::max<int>(extent.cx, rect.right);
        extent.cy = std::max<int>(extent.cy, rect.bottom);
    }
    return extent;
}

void MoveTo(HWND window, const Rect& place) {
    MoveWindow(window, place.left, place.top, place.Width(), place.Height(), TRUE);
}

}  // namespace

CCommandBar::CCommandBar(CommandBarHost& host, const RibbonModel& model, HINSTANCE images)
    : host_(host), model_(model), images_(images) {}

CCommandBar::~CCommandBar() {
    Destroy();
}

CCommandBar* CCommandBar::FromWindow(HWND window) {
    wchar_t name[64]{};
    if (!window || !GetClassNameW(window, name, 64) || std::wstring(name) != CommandBarClassName) return nullptr;
    return reinterpret_cast<CCommandBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool CCommandBar::Create(HWND frame, int dpi, const std::vector<std::uint16_t>& quickAccess, bool collapsed) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(frame, GWLP_HINSTANCE));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Flat toolbars ask the bar to erase under them.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = CommandBarClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    frame_ = frame;
    dpi_ = dpi;
    quickAccess_ = quickAccess;
    collapsed_ = collapsed;
    RECT client{};
    GetClientRect(frame, &client);
    width_ = client.right;
    window_ = CreateWindowExW(0, CommandBarClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                              width_, 0, frame, nullptr, instance, this);
    if (!window_) return false;
    BuildControls();
    Layout();
    return true;
}

void CCommandBar::Destroy() {
    if (!window_) return;
    const HWND window = window_;
    ClearToolbars();
    DestroyWindow(window);
    window_ = nullptr;
}

void CCommandBar::ClearToolbars() {
    LeaveKeytips();  // the badges sit on the toolbars' buttons
    for (Toolbar& toolbar : toolbars_) {
        if (toolbar.window) DestroyWindow(toolbar.window);
    }
    toolbars_.clear();
    if (tabRow_) {
        DestroyWindow(tabRow_);
        tabRow_ = nullptr;
    }
}

CCommandBar::Toolbar CCommandBar::MakeToolbar(int id, std::uint16_t group, bool large, std::vector<std::uint16_t> commands) {
    Toolbar toolbar;
    toolbar.group = group;
    toolbar.large = large;
    toolbar.commands = std::move(commands);
    const bool stacked = group != 0 && !large;
    const bool textual = id == CommandBarApplicationButton || stacked;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                        CCS_NOPARENTALIGN | CCS_NODIVIDER | (textual ? TBSTYLE_LIST : 0) | (stacked ? TBSTYLE_WRAPABLE : 0);
    toolbar.window = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!toolbar.window) return toolbar;
    SetWindowSubclass(toolbar.window, PartProc, PartSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(toolbar.window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar.window, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(toolbar.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    GiveImages(toolbar);
    return toolbar;
}

void CCommandBar::GiveImages(Toolbar& toolbar) const {
    // The application button shows the frame's small icon beside its label, which may be empty.
    ToolbarImageLists images;
    if (GetDlgCtrlID(toolbar.window) == CommandBarApplicationButton) {
        images.normal = FrameIconImages(frame_, dpi_);
    } else {
        images = LoadCommandImages(images_, model_, toolbar.commands, toolbar.large, dpi_);
    }
    SendMessageW(toolbar.window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.normal.get()));
    SendMessageW(toolbar.window, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(images.disabled.get()));
    // The toolbar no longer draws from the lists it had: they may go now.
    toolbar.images = std::move(images.normal);
    toolbar.disabledImages = std::move(images.disabled);
}

void CCommandBar::FillButtons(const Toolbar& toolbar) {
    const bool withText = toolbar.group != 0 || GetDlgCtrlID(toolbar.window) == CommandBarApplicationButton;
    std::vector<std::wstring> labels;
    labels.reserve(toolbar.commands.size());
    std::vector<TBBUTTON> buttons;
    for (std::size_t index = 0; index < toolbar.commands.size(); ++index) {
        const std::uint16_t command = toolbar.commands[index];
        labels.push_back(withText ? host_.Label(command) : std::wstring());
        TBBUTTON button{};
        button.iBitmap = toolbar.images ? static_cast<int>(index) : I_IMAGENONE;
        button.idCommand = command;
        button.fsState = host_.Enabled(command) ? TBSTATE_ENABLED : 0;
        if (toolbar.group != 0 && !toolbar.large && index + 1 < toolbar.commands.size()) button.fsState |= TBSTATE_WRAP;
        button.fsStyle = BTNS_BUTTON | (IsDropDown(model_, command) ? BTNS_WHOLEDROPDOWN : 0) |
                         (toolbar.large ? 0 : BTNS_AUTOSIZE);
        button.iString = withText ? reinterpret_cast<INT_PTR>(labels.back().c_str()) : -1;
        buttons.push_back(button);
    }
    SendMessageW(toolbar.window, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void CCommandBar::BuildControls() {
    ClearToolbars();
    font_ = CreateMessageFont(dpi_, SystemDpi());

    toolbars_.push_back(MakeToolbar(CommandBarApplicationButton, 0, false, {model_.applicationMenu.command}));
    toolbars_.push_back(MakeToolbar(CommandBarQuickAccess, 0, false, quickAccess_));
    int id = CommandBarFirstGroup;
    if (!model_.tabs.empty()) {
        for (const TabGroup& group : model_.tabs.front().groups) {
            // Runs of same-sized controls: the large ones side by side, the small ones stacked.
            std::size_t start = 0;
            while (start < group.controls.size()) {
                const ControlSize size = group.controls[start].size;
                std::vector<std::uint16_t> run;
                std::size_t end = start;
                while (end < group.controls.size() && group.controls[end].size == size &&
                       (size == ControlSize::Large || run.size() < 3)) {
                    run.push_back(group.controls[end++].command);
                }
                toolbars_.push_back(MakeToolbar(id++, group.command, size == ControlSize::Large, std::move(run)));
                start = end;
            }
        }
    }
    for (const Toolbar& toolbar : toolbars_) {
        if (toolbar.window) FillButtons(toolbar);
    }

    tabRow_ = CreateWindowExW(0, WC_TABCONTROLW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0, 0, 0,
                              0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandBarTabRow)), nullptr, nullptr);
    SendMessageW(tabRow_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetWindowSubclass(tabRow_, PartProc, PartSubclassId, reinterpret_cast<DWORD_PTR>(this));
    int tabIndex = 0;
    for (const RibbonTab& tab : model_.tabs) {
        std::wstring label = host_.Label(tab.command);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = label.data();
        item.lParam = tab.command;
        SendMessageW(tabRow_, TCM_INSERTITEMW, tabIndex++, reinterpret_cast<LPARAM>(&item));
    }
    groupFrames_.clear();
    if (!model_.tabs.empty()) {
        for (const TabGroup& group : model_.tabs.front().groups) {
            groupFrames_.push_back({group.command, {}, host_.Label(group.command)});
        }
    }
}

void CCommandBar::Layout() {
    LeaveKeytips();
    Arrange();
}

void CCommandBar::Arrange() {
    if (!window_) return;
    Place(LayOutCommandBar(Measure()));
}

CommandBarMeasurements CCommandBar::Measure() {
    WindowDC screen(window_);
    SelectedObject selected(screen.get(), font_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);

    // Large buttons show the image above a label of up to two lines, drawn by us: their size
    // comes first, as it sets the extent of their toolbars.
    LargeButtonMeasurements large;
    large.dpi = dpi_;
    large.textHeight = metrics.tmHeight;
    for (const Toolbar& toolbar : toolbars_) {
        if (!toolbar.large || !toolbar.images) continue;
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(toolbar.images.get(), &width, &height);
        large.image = Size{std::max(large.image.cx, width), std::max(large.image.cy, height)};
        for (const std::uint16_t command : toolbar.commands) {
            large.widestLabel = std::max(large.widestLabel, TwoLineWidth(screen.get(), host_.Label(command)));
        }
    }
    CommandBarMeasurements measured;
    measured.dpi = dpi_;
    measured.width = width_;
    measured.textHeight = metrics.tmHeight;
    measured.largeButton = LargeButtonSize(large);
    measured.applicationButton = ToolbarExtent(toolbars_[0].window);
    measured.quickAccess = ToolbarExtent(toolbars_[1].window);
    RECT tabItem{};
    SendMessageW(tabRow_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tabItem));
    measured.tabItemBottom = tabItem.bottom;
    for (std::size_t index = 2; index < toolbars_.size(); ++index) {
        const Toolbar& toolbar = toolbars_[index];
        if (toolbar.large) {
            SendMessageW(toolbar.window, TB_SETBUTTONSIZE, 0, MAKELPARAM(measured.largeButton.cx, measured.largeButton.cy));
        }
        measured.groupToolbars.push_back({toolbar.group, toolbar.large, ToolbarExtent(toolbar.window)});
    }
    for (const GroupFrame& frame : groupFrames_) {
        measured.groups.push_back({frame.group, TextWidth(screen.get(), frame.label)});
    }
    measured.collapsed = collapsed_;
    measured.peeking = peeking_;
    return measured;
}

void CCommandBar::Place(const CommandBarLayout& layout) {
    MoveTo(toolbars_[0].window, layout.applicationButton);
    MoveTo(toolbars_[1].window, layout.quickAccess);
    MoveTo(tabRow_, layout.tabRow);
    for (std::size_t index = 2; index < toolbars_.size(); ++index) {
        MoveTo(toolbars_[index].window, layout.groupToolbars[index - 2]);
        ShowWindow(toolbars_[index].window, layout.groupsShown ? SW_SHOW : SW_HIDE);
    }
    for (std::size_t index = 0; index < groupFrames_.size(); ++index) {
        const Rect& box = layout.groupFrames[index];
        groupFrames_[index].box = RECT{box.left, box.top, box.right, box.bottom};
    }
    height_ = layout.height;
    MoveWindow(window_, 0, 0, width_, layout.windowHeight, TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

const CCommandBar::Toolbar* CCommandBar::ToolbarOf(HWND window) const {
    for (const Toolbar& toolbar : toolbars_) {
        if (toolbar.window == window) return &toolbar;
    }
    return nullptr;
}

void CCommandBar::PressButton(UINT32 command, HWND toolbar, int buttonIndex) {
    EndKeytipMode();
    if (IsDropDown(model_, static_cast<std::uint16_t>(command))) {
        OpenMenuBelow(command, toolbar, buttonIndex);
        EndPeek();  // a peek stays while the menu is open, under it
    } else {
        EndPeek();  // before the command, which may open a dialog
        host_.Execute(command);
    }
}

bool CCommandBar::OpenHotDropDown(HWND toolbar) {
    const int hot = static_cast<int>(SendMessageW(toolbar, TB_GETHOTITEM, 0, 0));
    TBBUTTON button{};
    if (hot < 0 || !SendMessageW(toolbar, TB_GETBUTTON, hot, reinterpret_cast<LPARAM>(&button))) return false;
    const UINT32 command = static_cast<UINT32>(button.idCommand);
    if (!IsDropDown(model_, static_cast<std::uint16_t>(command)) || !SendMessageW(toolbar, TB_ISBUTTONENABLED, command, 0)) {
        return false;
    }
    PressButton(command, toolbar, hot);
    return true;
}

void CCommandBar::OpenMenuBelow(UINT32 command, HWND toolbar, int buttonIndex) {
    RECT button = ItemRect(toolbar, buttonIndex);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    SendMessageW(toolbar, TB_PRESSBUTTON, command, TRUE);
    host_.OpenMenu(command, POINT{button.left, button.bottom});
    if (IsWindow(toolbar)) SendMessageW(toolbar, TB_PRESSBUTTON, command, FALSE);
}

LRESULT CCommandBar::HandleNotify(const NMHDR& header) {
    const Toolbar* toolbar = ToolbarOf(header.hwndFrom);
    if (toolbar && header.code == NM_CUSTOMDRAW) {
        return DrawButton(*reinterpret_cast<NMTBCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    }
    if (toolbar && header.code == TBN_DROPDOWN) {
        const auto& drop = reinterpret_cast<const NMTOOLBARW&>(header);
        const int index = static_cast<int>(SendMessageW(header.hwndFrom, TB_COMMANDTOINDEX, drop.iItem, 0));
        PressButton(static_cast<UINT32>(drop.iItem), header.hwndFrom, index);
        return TBDDRET_DEFAULT;
    }
    if (toolbar && header.code == TBN_GETINFOTIPW) {
        auto& tip = reinterpret_cast<NMTBGETINFOTIPW&>(const_cast<NMHDR&>(header));
        const UINT32 command = static_cast<UINT32>(tip.iItem);
        lastTooltipTitle_ = host_.TooltipTitle(command);
        lastTooltipText_ = host_.TooltipDescription(command);
        if (const HWND tooltip = reinterpret_cast<HWND>(SendMessageW(header.hwndFrom, TB_GETTOOLTIPS, 0, 0))) {
            SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, Scale(300));
            SendMessageW(tooltip, TTM_SETTITLEW, TTI_NONE, reinterpret_cast<LPARAM>(lastTooltipTitle_.c_str()));
        }
        if (tip.pszText && tip.cchTextMax > 0) lstrcpynW(tip.pszText, lastTooltipText_.c_str(), tip.cchTextMax);
        return 0;
    }
    return 0;
}

LRESULT CCommandBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const HWND from = reinterpret_cast<HWND>(lParam);
        const Toolbar* toolbar = ToolbarOf(from);
        if (!toolbar || HIWORD(wParam) != BN_CLICKED) break;
        // Enter on a drop-down button opens its menu, as a click does.
        const UINT32 command = LOWORD(wParam);
        PressButton(command, from, static_cast<int>(SendMessageW(from, TB_COMMANDTOINDEX, command, 0)));
        return 0;
    }
    case WM_GETOBJECT:
        if (const LRESULT object = AnswerCommandBarObject(window_, wParam, lParam)) return object;
        break;
    case KeytipKeyMessage: TypeKeytipKey(wParam); return 0;
    case WM_NOTIFY: return HandleNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_MENURBUTTONUP: host_.MenuRightClick(reinterpret_cast<HMENU>(lParam), static_cast<UINT>(wParam)); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        Paint(dc);
        EndPaint(window_, &paint);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK CCommandBar::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* bar = static_cast<CCommandBar*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
        bar->window_ = window;
    }
    auto* bar = reinterpret_cast<CCommandBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!bar) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The frame went first: the bar's children are gone with it.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        bar->peeking_ = false;  // nothing left to arrange
        bar->LeaveKeytips();
        bar->toolbars_.clear();
        bar->tabRow_ = nullptr;
        bar->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return bar->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK CCommandBar::PartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* bar = reinterpret_cast<CCommandBar*>(data);
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT object = AnswerCommandBarObject(window, wParam, lParam)) return object;
        break;
    case WM_KEYDOWN:
        // The toolbar itself moves to the next button on Down; on a drop-down it opens the menu.
        if ((wParam == VK_DOWN || wParam == VK_F4) && window != bar->tabRow_ && bar->OpenHotDropDown(window)) return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (window == bar->tabRow_) {
            bar->SetCollapsed(!bar->collapsed_);
            return 0;
        }
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(window, PartProc, PartSubclassId); break;
    default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void CCommandBar::SetCollapsed(bool collapsed) {
    if (collapsed == collapsed_) return;
    collapsed_ = collapsed;
    const int before = height_;
    Layout();
    if (height_ != before) host_.HeightChanged();
}

void CCommandBar::SetQuickAccess(const std::vector<std::uint16_t>& commands) {
    quickAccess_ = commands;
    if (!window_) return;
    const int before = height_;
    BuildControls();
    Layout();
    if (height_ != before) host_.HeightChanged();
}

void CCommandBar::FitWidth(int width) {
    if (width == width_ || !window_) return;
    width_ = width;
    Layout();
}

void CCommandBar::SetDpi(int dpi) {
    dpi_ = dpi;
    if (!window_) return;
    BuildControls();
    Layout();
    host_.HeightChanged();
}

void CCommandBar::RefreshLabels() {
    if (!window_) return;
    const int before = height_;
    BuildControls();
    Layout();
    if (height_ != before) host_.HeightChanged();
}

void CCommandBar::SetEnabled(UINT32 command, bool enabled) {
    for (const Toolbar& toolbar : toolbars_) {
        const auto found = std::find(toolbar.commands.begin(), toolbar.commands.end(), command);
        if (found == toolbar.commands.end()) continue;
        const bool was = SendMessageW(toolbar.window, TB_ISBUTTONENABLED, command, 0) != 0;
        SendMessageW(toolbar.window, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
        // The button's accessible object is its toolbar's child, numbered from 1.
        const LONG child = static_cast<LONG>(found - toolbar.commands.begin()) + 1;
        if (was != enabled) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, toolbar.window, OBJID_CLIENT, child);
    }
}

void CCommandBar::FollowSystemChange(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return;
    // The controls stay: a menu opened from one of them may be open now. Only the images of
    // disabled commands, greyed in the colours of the time, are made again.
    for (Toolbar& toolbar : toolbars_) GiveImages(toolbar);
    // The common controls keep their own copy of the system colours until they are told.
    for (const Toolbar& toolbar : toolbars_) SendMessageW(toolbar.window, message, wParam, lParam);
    SendMessageW(tabRow_, message, wParam, lParam);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
