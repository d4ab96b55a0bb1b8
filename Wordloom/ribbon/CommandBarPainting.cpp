// The command bar's drawing: its background with the group labels and separators, and every
// toolbar button (image, label, drop-down mark) in the colours of CommandBarColours.h. Themed
// toolbars would fill a hot button with the theme's light colour under any text colour, so the
// bar draws the buttons itself through the toolbars' custom draw.
#include "CommandBar.h"
#include "CommandBarColours.h"
#include "CommandBarParts.h"

#include <commctrl.h>

using commandbar::IsDropDown;

namespace {

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
