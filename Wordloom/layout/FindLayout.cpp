#include "FindLayout.h"

FindMetrics FindMetrics::ScaledTo(int dpi) const {
    return FindMetrics{
        ScaleForDpi(margin, dpi),     ScaleForDpi(buttonWidth, dpi), ScaleForDpi(buttonHeight, dpi),
        ScaleForDpi(smallGap, dpi),   ScaleForDpi(sectionGap, dpi),  ScaleForDpi(framePadding, dpi),
        ScaleForDpi(aboveCheck, dpi),
    };
}

namespace {

Size WithMark(const std::optional<Size>& extent, Size fallback, int markWidth) {
    if (!extent) return fallback;
    return Size{extent->cx + markWidth, extent->cy};
}

}  // namespace

FindLayout FindLayoutFor(const std::optional<FindMeasurements>& measured) {
    FindLayout layout = StartLayout<FindLayout>(FindDialogBase, measured);
    if (measured) {
        layout.labelDrop = CentredLabelDrop(layout.metrics.buttonHeight, measured->textHeight);
        FindTextBoxes& boxes = layout.textBoxes;
        boxes.label = measured->labelExtent.value_or(boxes.label);
        boxes.matchWhole = WithMark(measured->matchWholeExtent, boxes.matchWhole, measured->markWidth);
        boxes.up = WithMark(measured->upExtent, boxes.up, measured->markWidth);
        boxes.down = WithMark(measured->downExtent, boxes.down, measured->markWidth);
    }
    const FindMetrics& m = layout.metrics;
    const FindTextBoxes& boxes = layout.textBoxes;
    layout.clientSize = Size{
        2 * (m.sectionGap + m.framePadding + m.margin) + m.smallGap + m.buttonWidth + boxes.down.cx +
            boxes.up.cx + boxes.matchWhole.cx,
        2 * m.margin + 3 * m.buttonHeight + 2 * m.smallGap,
    };
    return layout;
}

FindPlacement PlaceFindControls(const FindLayout& layout, Size client) {
    const FindMetrics& m = layout.metrics;
    const FindTextBoxes& boxes = layout.textBoxes;
    const Size button{m.buttonWidth, m.buttonHeight};
    const int buttonsLeft = client.cx - m.margin - m.buttonWidth;
    const int boxLeft = m.margin + m.smallGap + boxes.label.cx;
    const int frameTop = m.margin + m.buttonHeight + m.sectionGap;
    const int marksTop = frameTop + m.aboveCheck;
    const int frameLeft = m.margin + m.sectionGap + boxes.matchWhole.cx;
    const int upLeft = frameLeft + m.framePadding;

    FindPlacement placement;
    placement.findNext = RectAt(buttonsLeft, m.margin, button);
    placement.markAll = RectAt(buttonsLeft, m.margin + m.buttonHeight + m.smallGap, button);
    placement.cancel = RectAt(buttonsLeft, client.cy - m.margin - m.buttonHeight, button);
    placement.label = RectAt(m.margin, m.margin + layout.labelDrop, boxes.label);
    placement.findWhat = Rect{boxLeft, m.margin, buttonsLeft - m.sectionGap, m.margin + m.buttonHeight};
    placement.matchWhole = RectAt(m.margin, marksTop, boxes.matchWhole);
    placement.direction = RectAt(frameLeft, frameTop,
                                 Size{m.smallGap + 2 * m.framePadding + boxes.down.cx + boxes.up.cx,
                                      m.sectionGap + m.aboveCheck + boxes.up.cy});
    placement.up = RectAt(upLeft, marksTop, boxes.up);
    placement.down = RectAt(upLeft + boxes.up.cx + m.smallGap, marksTop, boxes.down);
    return placement;
}
