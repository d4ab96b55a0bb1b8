#include "ConfigureLayout.h"

#include <algorithm>

ConfigureMetrics ConfigureMetrics::ScaledTo(int dpi) const {
    return ConfigureMetrics{
        ScaleForDpi(margin, dpi),     ScaleForDpi(smallGap, dpi),   ScaleForDpi(buttonWidth, dpi),
        ScaleForDpi(buttonHeight, dpi), ScaleForDpi(listHeight, dpi), ScaleForDpi(groupInset, dpi),
        ScaleForDpi(groupTop, dpi),   ScaleForDpi(groupRowGap, dpi),
    };
}

std::optional<Size> WidestExtent(std::span<const std::optional<Size>> extents) {
    std::optional<Size> widest;
    for (const std::optional<Size>& extent : extents) {
        if (extent && (!widest || extent->cx > widest->cx)) widest = extent;
    }
    return widest;
}

ConfigureLayout ConfigureLayoutFor(const std::optional<ConfigureMeasurements>& measured, Size checkMark) {
    ConfigureLayout layout = StartLayout<ConfigureLayout>(ConfigureDialogBase, measured);
    layout.checkMark = checkMark;
    ConfigureTextBoxes& boxes = layout.textBoxes;
    if (measured) {
        boxes.widestCheckText = measured->widestCheckText.value_or(boxes.widestCheckText);
        boxes.phraseToolButtonText = measured->phraseToolButtonText.value_or(boxes.phraseToolButtonText);
        boxes.generalHeading = measured->generalHeading.value_or(boxes.generalHeading);
        boxes.outputHeading = measured->outputHeading.value_or(boxes.outputHeading);
        boxes.advancedHeading = measured->advancedHeading.value_or(boxes.advancedHeading);
        boxes.keyboardHeading = measured->keyboardHeading.value_or(boxes.keyboardHeading);
        boxes.fontLabel = measured->fontLabel.value_or(boxes.fontLabel);
        boxes.widestLayoutName = measured->widestLayoutName.value_or(boxes.widestLayoutName);
        boxes.widestFontSizeName = measured->widestFontSizeName.value_or(boxes.widestFontSizeName);
    }
    if (measured && measured->widestCheckText) {
        // The control draws its mark in front of the text.
        layout.checkWidth = boxes.widestCheckText.cx + checkMark.cx;
        layout.rowHeight = std::max(boxes.widestCheckText.cy, checkMark.cy);
    } else {
        layout.checkWidth = boxes.widestCheckText.cx;
        layout.rowHeight = boxes.widestCheckText.cy;
    }

    const ConfigureMetrics& m = layout.metrics;
    const int rh = layout.rowHeight;
    // The General page is the tallest: eleven rows, the font list and the Unicode group.
    layout.page = Size{
        layout.checkWidth + 2 * m.groupInset + 3 * m.margin,
        m.listHeight + 11 * rh + 8 * m.margin + 2 * m.smallGap + m.groupInset + m.groupTop + 3 * m.groupRowGap,
    };
    return layout;
}

Size ConfigureClientSize(const ConfigureLayout& layout, const Rect& tabWindow) {
    const ConfigureMetrics& m = layout.metrics;
    return Size{
        2 * m.margin + tabWindow.Width(),
        m.margin + tabWindow.Height() + m.margin + m.buttonHeight + m.margin,
    };
}

ConfigureFramePlacement PlaceConfigureFrame(const ConfigureLayout& layout, const Rect& tabWindow,
                                            Size client) {
    const ConfigureMetrics& m = layout.metrics;
    const Size button{m.buttonWidth, m.buttonHeight};
    ConfigureFramePlacement placement;
    placement.tabs = RectAt(m.margin, m.margin, Size{tabWindow.Width(), tabWindow.Height()});
    placement.pages = RectAt(m.margin - tabWindow.left, m.margin - tabWindow.top, layout.page);
    placement.cancelButton = BottomRightButton(client, m.margin, m.smallGap, button, 0);
    placement.okButton = BottomRightButton(client, m.margin, m.smallGap, button, 1);
    const int phraseToolWidth = layout.textBoxes.phraseToolButtonText.cx + 2 * m.smallGap;
    placement.phraseToolButton =
        RectAt(placement.okButton.left - m.smallGap - phraseToolWidth, placement.okButton.top,
               Size{phraseToolWidth, m.buttonHeight});
    return placement;
}

namespace {

// An etched line draws a dark and a light row of pixels, the light one last: a line one pixel
// high would show only the light row, which vanishes on the window-coloured page.
constexpr int EtchedLineHeight = 2;

HeadingPlacement PlaceHeading(const ConfigureLayout& layout, int top, Size heading) {
    const ConfigureMetrics& m = layout.metrics;
    const int lineLeft = m.margin + m.smallGap + heading.cx;
    const int lineTop = top + heading.cy / 2;
    return HeadingPlacement{
        RectAt(m.margin, top, heading),
        Rect{lineLeft, lineTop, layout.page.cx - m.margin, lineTop + EtchedLineHeight},
    };
}

Size Row(const ConfigureLayout& layout) {
    return Size{layout.checkWidth, layout.rowHeight};
}

// Lists are wider than their longest item by the room their button takes.
int ListWidth(Size widestItem) {
    return widestItem.cx * 8 / 5;
}

}  // namespace

GeneralPagePlacement PlaceGeneralPage(const ConfigureLayout& layout) {
    const ConfigureMetrics& m = layout.metrics;
    const ConfigureTextBoxes& boxes = layout.textBoxes;
    const int rh = layout.rowHeight;
    const int k = layout.checkMark.cx;
    const Size row = Row(layout);

    GeneralPagePlacement placement;
    placement.general = PlaceHeading(layout, m.margin, boxes.generalHeading);
    placement.alphanumeric = RectAt(2 * m.margin, 2 * m.margin + rh, row);
    placement.cueSpecialCode = RectAt(2 * m.margin, 3 * m.margin + 2 * rh, row);
    placement.promptAssociatedWords = RectAt(2 * m.margin, 4 * m.margin + 3 * rh, row);
    placement.spaceFinalizes = RectAt(2 * m.margin + k, 4 * m.margin + 4 * rh + m.smallGap, row);
    placement.fontHint = RectAt(2 * m.margin, 5 * m.margin + 5 * rh + m.smallGap, row);

    const int fontTop = 5 * m.margin + 6 * rh + 2 * m.smallGap;
    placement.fontSize = RectAt(2 * m.margin + k + boxes.fontLabel.cx + m.smallGap, fontTop,
                                Size{ListWidth(boxes.widestFontSizeName), m.listHeight});
    placement.fontLabel =
        RectAt(2 * m.margin + k, fontTop + (m.listHeight - boxes.fontLabel.cy) / 2, boxes.fontLabel);
    // Like the page's first heading: the line starts beside the heading's own text.
    placement.output = PlaceHeading(layout, fontTop + m.listHeight + m.margin, boxes.outputHeading);

    const int groupTop = 7 * m.margin + 7 * rh + m.listHeight + 2 * m.smallGap;
    placement.unicodeGroup =
        RectAt(2 * m.margin, groupTop,
               Size{layout.checkWidth + 2 * m.groupInset,
                    m.groupInset + 4 * rh + m.groupTop + 3 * m.groupRowGap});
    const int rowLeft = 2 * m.margin + m.groupInset;
    const int rowStep = rh + m.groupRowGap;
    placement.extB = RectAt(rowLeft, groupTop + m.groupTop, row);
    placement.extCD = RectAt(rowLeft, placement.extB.top + rowStep, row);
    placement.extE = RectAt(rowLeft, placement.extCD.top + rowStep, row);
    placement.extF = RectAt(rowLeft, placement.extE.top + rowStep, row);
    return placement;
}

AdvancedPagePlacement PlaceAdvancedPage(const ConfigureLayout& layout) {
    const ConfigureMetrics& m = layout.metrics;
    const int rh = layout.rowHeight;
    const int k = layout.checkMark.cx;
    const Size row = Row(layout);
    const int rowStep = rh + m.groupRowGap;

    AdvancedPagePlacement placement;
    placement.settings = PlaceHeading(layout, m.margin, layout.textBoxes.advancedHeading);
    const int shiftTop = 2 * m.margin + rh;
    placement.shiftGroup =
        RectAt(2 * m.margin, shiftTop,
               Size{layout.checkWidth + 2 * m.groupInset, m.groupInset + 3 * rh + m.groupTop + 2 * m.groupRowGap});
    placement.anyShift = RectAt(2 * m.margin + m.groupInset, shiftTop + m.groupTop, row);
    placement.leftShift = RectAt(placement.anyShift.left, placement.anyShift.top + rowStep, row);
    placement.rightShift = RectAt(placement.anyShift.left, placement.leftShift.top + rowStep, row);

    placement.showReading = RectAt(2 * m.margin, placement.rightShift.top + rh + m.groupInset + m.margin, row);
    placement.phraseInput = RectAt(2 * m.margin, placement.showReading.top + rh + m.margin, row);

    const int sourceLeft = 2 * m.margin + k;
    const int sourceTop = placement.phraseInput.top + rh + m.smallGap;
    placement.phraseSourceGroup =
        Rect{sourceLeft, sourceTop, layout.page.cx - m.margin,
             sourceTop + 2 * m.groupRowGap + m.groupInset + m.groupTop + 3 * rh};
    const Size sourceRow{layout.checkWidth - m.margin, rh};
    placement.builtInPhrases = RectAt(sourceLeft + m.groupInset, sourceTop + m.groupTop, sourceRow);
    placement.userPhrases = RectAt(placement.builtInPhrases.left, placement.builtInPhrases.top + rowStep, sourceRow);
    placement.bothPhrases = RectAt(placement.builtInPhrases.left, placement.userPhrases.top + rowStep, sourceRow);

    placement.warningBeep = RectAt(2 * m.margin, placement.bothPhrases.top + rh + m.groupInset + m.margin, row);
    return placement;
}

KeyboardPagePlacement PlaceKeyboardPage(const ConfigureLayout& layout) {
    const ConfigureMetrics& m = layout.metrics;
    const int rh = layout.rowHeight;

    KeyboardPagePlacement placement;
    placement.keyboard = PlaceHeading(layout, m.margin, layout.textBoxes.keyboardHeading);
    placement.hint = RectAt(2 * m.margin, 2 * m.margin + rh, Row(layout));
    const int listTop = 3 * m.margin + 2 * rh;
    placement.layoutList =
        RectAt(3 * m.margin, listTop, Size{ListWidth(layout.textBoxes.widestLayoutName), m.listHeight});
    const int previewTop = listTop + m.listHeight + m.margin;
    const Rect freeArea = RectAt(m.margin, previewTop,
                                 Size{layout.page.cx - 2 * m.margin, layout.page.cy - listTop - m.listHeight - 2 * m.margin});
    placement.preview = FitPicture(freeArea, LayoutPreviewSize);
    return placement;
}

Rect FitPicture(const Rect& freeArea, Size picture) {
    const int freeWidth = freeArea.Width();
    const int freeHeight = freeArea.Height();
    Size fitted;
    if (freeHeight * picture.cx < freeWidth * picture.cy) {
        fitted = Size{MulDivRounded(picture.cx, freeHeight, picture.cy), freeHeight};
    } else {
        fitted = Size{freeWidth, MulDivRounded(picture.cy, freeWidth, picture.cx)};
    }
    return RectAt(freeArea.left, freeArea.top, fitted);
}
