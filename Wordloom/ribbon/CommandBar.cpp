#include "CommandBar.h"
#include "CommandBarAccessible.h"
#include "CommandBarColours.h"
#include "CommandBarParts.h"

#include "DisplayMetrics.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdlib>

using commandbar::IsDropDown;
using commandbar::ItemRect;
using commandbar::KeytipKeyMessage;

namespace {

constexpr UINT_PTR PartSubclassId = 1;

std::size_t DpiSlot(int dpi) {
    for (std::size_t slot = 0; slot < ImageDpis.size(); ++slot) {
        if (static_cast<int>(ImageDpis[slot]) >= dpi) return slot;
    }
    return ImageDpis.size() - 1;
}

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

// A copy of a 32-bit image in the grey of disabled text, for disabled commands: the toolbars
// under Wine draw images with an alpha channel unchanged when their button is disabled.
UniqueBitmap GreyCopy(HBITMAP source) {
    DIBSECTION section{};
    if (GetObjectW(source, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 32) return {};
    const int width = section.dsBm.bmWidth;
    const int height = section.dsBm.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader = section.dsBmih;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !bits || !section.dsBm.bmBits) return {};
    const auto* from = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    auto* to = static_cast<std::uint8_t*>(bits);
    for (int pixel = 0; pixel < width * std::abs(height); ++pixel, from += 4, to += 4) {
        const int lightness = (from[0] * 11 + from[1] * 59 + from[2] * 30) / 100;
        // The images carry straight (not premultiplied) alpha: change the colour, keep the shape.
        const COLORREF grey = DisabledImageColour(lightness);
        to[0] = GetBValue(grey);
        to[1] = GetGValue(grey);
        to[2] = GetRValue(grey);
        to[3] = from[3];
    }
    return copy;
}

// The extent of all the toolbar's buttons as laid out.
SIZE ToolbarExtent(HWND toolbar) {
    SIZE extent{};
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        const RECT rect = ItemRect(toolbar, index);
        extent.cx = std::max<LONG>(extent.cx, rect.right);
        extent.cy = std::max<LONG>(extent.cy, rect.bottom);
    }
    return extent;
}

// The drop-down mark, a small triangle of half-width `half` pointing down to `tip`.
void DrawDropMark(HDC dc, POINT tip, int half, COLORREF colour) {
    const POINT mark[3] = {{tip.x - half, tip.y - half}, {tip.x + half, tip.y - half}, tip};
    SetDCBrushColor(dc, colour);
    SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    SelectedObject pen(dc, GetStockObject(NULL_PEN));
    Polygon(dc, mark, 3);
}

ButtonLook LookOf(UINT state) {
    if (state & CDIS_DISABLED) return ButtonLook::Disabled;
    if (state & (CDIS_SELECTED | CDIS_CHECKED)) return ButtonLook::Pressed;
    return (state & CDIS_HOT) ? ButtonLook::Hot : ButtonLook::Normal;
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

UniqueImageList CCommandBar::LoadImages(const std::vector<std::uint16_t>& commands, bool large,
                                        UniqueImageList& disabled) const {
    const std::size_t slot = DpiSlot(dpi_);
    UniqueImageList list;
    for (const std::uint16_t command : commands) {
        const RibbonCommand* found = model_.Command(command);
        const std::uint16_t resource =
            found && found->images ? (large ? found->images->large[slot] : found->images->small[slot]) : 0;
        UniqueBitmap bitmap;
        if (resource) {
            bitmap.reset(static_cast<HBITMAP>(
                LoadImageW(images_, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        }
        BITMAP info{};
        if (bitmap) GetObjectW(bitmap.get(), sizeof info, &info);
        if (!list) {
            // The first image sets the size; a command without one still takes a slot of that size.
            const int side = info.bmWidth ? info.bmWidth : Scale(large ? 32 : 16);
            list.reset(ImageList_Create(side, info.bmHeight ? info.bmHeight : side, ILC_COLOR32, 8, 4));
            disabled.reset(ImageList_Create(side, info.bmHeight ? info.bmHeight : side, ILC_COLOR32, 8, 4));
            if (!list || !disabled) return list;
        }
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(list.get(), &width, &height);
        if (bitmap && info.bmWidth == width && info.bmHeight == height) {
            ImageList_Add(list.get(), bitmap.get(), nullptr);
            UniqueBitmap grey = GreyCopy(bitmap.get());
            ImageList_Add(disabled.get(), grey ? grey.get() : bitmap.get(), nullptr);
        } else {
            // Keeps the indexes in step with the commands: an empty image.
            UniqueBitmap blank(CreateBitmap(width, height, 1, 32, nullptr));
            ImageList_Add(list.get(), blank.get(), nullptr);
            ImageList_Add(disabled.get(), blank.get(), nullptr);
        }
    }
    return list;
}

// The application button shows the frame's small icon beside its label, which may be empty.
UniqueImageList CCommandBar::FrameIcon() const {
    auto icon = reinterpret_cast<HICON>(SendMessageW(frame_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(frame_, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(frame_, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(frame_, GCLP_HICON));
    if (!icon) return {};
    const int side = SystemMetricAtDpi(SM_CXSMICON, dpi_);
    UniqueImageList list(ImageList_Create(side, side, ILC_COLOR32, 1, 0));
    if (list) ImageList_AddIcon(list.get(), icon);
    return list;
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
    UniqueImageList disabled;
    UniqueImageList images = GetDlgCtrlID(toolbar.window) == CommandBarApplicationButton
                                 ? FrameIcon()
                                 : LoadImages(toolbar.commands, toolbar.large, disabled);
    SendMessageW(toolbar.window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    SendMessageW(toolbar.window, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled.get()));
    // The toolbar no longer draws from the lists it had: they may go now.
    toolbar.images = std::move(images);
    toolbar.disabledImages = std::move(disabled);
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
    WindowDC screen(window_);
    SelectedObject selected(screen.get(), font_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    const int line = metrics.tmHeight;

    // The top row: application button, quick access toolbar, tab row.
    int topRow = 0;
    std::vector<SIZE> extents;
    for (const Toolbar& toolbar : toolbars_) extents.push_back(ToolbarExtent(toolbar.window));
    RECT tabItem{};
    SendMessageW(tabRow_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tabItem));
    const int tabHeight = tabItem.bottom + Scale(3);
    topRow = std::max({extents[0].cy, extents[1].cy, static_cast<LONG>(tabHeight)}) + Scale(4);
    int x = Scale(2);
    for (std::size_t index = 0; index < 2; ++index) {
        MoveWindow(toolbars_[index].window, x, (topRow - extents[index].cy) / 2, extents[index].cx, extents[index].cy, TRUE);
        x += extents[index].cx + Scale(8);
    }
    MoveWindow(tabRow_, x, topRow - tabHeight, std::max(0, width_ - x - Scale(2)), tabHeight, TRUE);
    topRowHeight_ = topRow;

    // The groups: large buttons show the image above a label of up to two lines, drawn by us.
    int largeWidth = 0;
    int largeImage = 0;
    for (const Toolbar& toolbar : toolbars_) {
        if (!toolbar.large || !toolbar.images) continue;
        int width = 0;
        ImageList_GetIconSize(toolbar.images.get(), &width, &largeImage);
        for (const std::uint16_t command : toolbar.commands) {
            largeWidth = std::max(largeWidth, TwoLineWidth(screen.get(), host_.Label(command)));
        }
        largeWidth = std::max(largeWidth, width);
    }
    const int largeButtonWidth = largeWidth + Scale(10);
    const int largeButtonHeight = Scale(4) + largeImage + Scale(3) + 2 * line + Scale(8);
    int content = largeButtonHeight;
    for (std::size_t index = 2; index < toolbars_.size(); ++index) {
        Toolbar& toolbar = toolbars_[index];
        if (toolbar.large) {
            SendMessageW(toolbar.window, TB_SETBUTTONSIZE, 0, MAKELPARAM(largeButtonWidth, largeButtonHeight));
            extents[index] = ToolbarExtent(toolbar.window);
        }
        content = std::max<int>(content, extents[index].cy);
    }
    const int top = topRow + Scale(3);
    x = Scale(4);
    for (GroupFrame& frame : groupFrames_) {
        const int left = x;
        for (std::size_t index = 2; index < toolbars_.size(); ++index) {
            const Toolbar& toolbar = toolbars_[index];
            if (toolbar.group != frame.group) continue;
            const int y = top + (toolbar.large ? 0 : (content - extents[index].cy) / 2);
            MoveWindow(toolbar.window, x, y, extents[index].cx, extents[index].cy, TRUE);
            ShowWindow(toolbar.window, collapsed_ && !peeking_ ? SW_HIDE : SW_SHOW);
            x += extents[index].cx + Scale(2);
        }
        x = std::max(x, left + TextWidth(screen.get(), frame.label) + Scale(12));
        frame.box = RECT{left, top, x, top + content + line + Scale(4)};
        x += Scale(8);
    }
    const int groups = content + line + Scale(10);
    // A peek covers the top of the window below instead of taking room from it.
    height_ = topRow + (collapsed_ ? 0 : groups) + 1;
    MoveWindow(window_, 0, 0, width_, topRow + (collapsed_ && !peeking_ ? 0 : groups) + 1, TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

void CCommandBar::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge{0, client.bottom - 1, client.right, client.bottom};
    FillRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
    if (collapsed_ && !peeking_) return;
    SelectedObject selected(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    for (const GroupFrame& frame : groupFrames_) {
        RECT label{frame.box.left, frame.box.bottom - metrics.tmHeight - Scale(2), frame.box.right, frame.box.bottom};
        DrawTextW(dc, frame.label.c_str(), -1, &label, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        RECT separator{frame.box.right + Scale(4), frame.box.top, frame.box.right + Scale(4) + 1, frame.box.bottom};
        FillRect(dc, &separator, GetSysColorBrush(COLOR_BTNSHADOW));
    }
}

LRESULT CCommandBar::DrawButton(NMTBCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: break;
    default: return CDRF_DODEFAULT;
    }
    const Toolbar* toolbar = ToolbarOf(draw.nmcd.hdr.hwndFrom);
    if (!toolbar) return CDRF_DODEFAULT;
    const HDC dc = draw.nmcd.hdc;
    const RECT box = draw.nmcd.rc;
    const ButtonLook look = LookOf(draw.nmcd.uItemState);
    const ButtonColours colours = ColoursFor(look);
    if (colours.filled) {
        SetDCBrushColor(dc, colours.fill);
        FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, colours.frame);
        FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    const UINT command = static_cast<UINT>(draw.nmcd.dwItemSpec);
    const int index = static_cast<int>(SendMessageW(draw.nmcd.hdr.hwndFrom, TB_COMMANDTOINDEX, command, 0));
    const bool dropDown = IsDropDown(model_, static_cast<std::uint16_t>(command));
    // Large buttons: the image above a label of up to two lines and the drop-down mark under it.
    // Small ones: the image, the label beside it, the mark at the right end.
    const int padding = LOWORD(SendMessageW(draw.nmcd.hdr.hwndFrom, TB_GETPADDING, 0, 0)) / 2;
    int imageWidth = 0;
    int imageHeight = 0;
    if (toolbar->images) ImageList_GetIconSize(toolbar->images.get(), &imageWidth, &imageHeight);
    const POINT imageAt = toolbar->large ? POINT{(box.left + box.right - imageWidth) / 2, box.top + Scale(4)}
                                         : POINT{box.left + padding, (box.top + box.bottom - imageHeight) / 2};
    if (toolbar->images) {
        IMAGELISTDRAWPARAMS image{};
        image.cbSize = sizeof image;
        image.himl = look == ButtonLook::Disabled && toolbar->disabledImages ? toolbar->disabledImages.get()
                                                                             : toolbar->images.get();
        image.i = index;
        image.hdcDst = dc;
        image.x = imageAt.x;
        image.y = imageAt.y;
        image.rgbBk = CLR_NONE;
        image.fStyle = ILD_TRANSPARENT;
        image.fState = ILS_NORMAL;
        ImageList_DrawIndirect(&image);
    }
    const int markHalf = Scale(3);
    wchar_t label[256]{};
    SendMessageW(draw.nmcd.hdr.hwndFrom, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(label));
    SelectedObject selected(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.text);
    if (toolbar->large) {
        RECT text{box.left + Scale(2), imageAt.y + imageHeight + Scale(3), box.right - Scale(2), box.bottom - Scale(6)};
        DrawTextW(dc, label, -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (dropDown) DrawDropMark(dc, POINT{(box.left + box.right) / 2, box.bottom - Scale(3)}, markHalf, colours.text);
    } else {
        const int markRoom = dropDown ? 2 * markHalf + padding : 0;
        RECT text{imageAt.x + imageWidth + Scale(2), box.top, box.right - markRoom, box.bottom};
        DrawTextW(dc, label, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (dropDown) {
            const POINT tip{box.right - padding - markHalf, (box.top + box.bottom + markHalf) / 2};
            DrawDropMark(dc, tip, markHalf, colours.text);
        }
    }
    return CDRF_SKIPDEFAULT;
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
