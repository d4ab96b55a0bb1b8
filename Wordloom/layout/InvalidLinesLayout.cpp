#include "InvalidLinesLayout.h"

#include <algorithm>

InvalidLinesMetrics InvalidLinesMetrics::ScaledTo(int dpi) const {
    return InvalidLinesMetrics{
        ScaleForDpi(margin, dpi),           ScaleForDpi(gap, dpi),
        ScaleForDpi(buttonWidth, dpi),      ScaleForDpi(buttonHeight, dpi),
        ScaleForDpi(buttonPadding, dpi),    ScaleForDpi(listWidth, dpi),
        ScaleForDpi(listHeight, dpi),       ScaleForDpi(minimumListWidth, dpi),
        ScaleForDpi(minimumListHeight, dpi),
    };
}

namespace {

// The buttons' right edge keeps clear of the size grip in the corner.
int ButtonsRightInset(const InvalidLinesLayout& layout) {
    return std::max(layout.metrics.margin, layout.grip.cx);
}

}  // namespace

InvalidLinesLayout InvalidLinesLayoutFor(const std::optional<InvalidLinesMeasurements>& measured) {
    InvalidLinesLayout layout;
    layout.metrics = InvalidLinesDialogBase.metrics;
    layout.textBoxes = InvalidLinesDialogBase.defaultTextBoxes;
    layout.grip = Size{17, 17};
    if (measured) {
        layout.metrics = layout.metrics.ScaledTo(UsableDpi(measured->dpi));
        layout.textBoxes.copy = measured->copyExtent.value_or(layout.textBoxes.copy);
        layout.textBoxes.close = measured->closeExtent.value_or(layout.textBoxes.close);
        if (measured->grip.cx > 0 && measured->grip.cy > 0) layout.grip = measured->grip;
    }
    const InvalidLinesMetrics& m = layout.metrics;
    const int widestText = std::max(layout.textBoxes.copy.cx, layout.textBoxes.close.cx);
    layout.button = Size{std::max(m.buttonWidth, widestText + 2 * m.buttonPadding), m.buttonHeight};

    const int buttonsWidth = 2 * layout.button.cx + m.gap + ButtonsRightInset(layout) + m.margin;
    const int aroundList = 2 * m.margin + m.gap + layout.button.cy;
    layout.clientSize = Size{std::max(m.listWidth + 2 * m.margin, buttonsWidth), m.listHeight + aroundList};
    layout.minimumClient = Size{std::max(m.minimumListWidth + 2 * m.margin, buttonsWidth), m.minimumListHeight + aroundList};
    return layout;
}

InvalidLinesPlacement PlaceInvalidLinesControls(const InvalidLinesLayout& layout, Size client) {
    const InvalidLinesMetrics& m = layout.metrics;
    client.cx = std::max(client.cx, layout.minimumClient.cx);
    client.cy = std::max(client.cy, layout.minimumClient.cy);

    InvalidLinesPlacement placement;
    const int buttonsTop = client.cy - m.margin - layout.button.cy;
    const int closeLeft = client.cx - ButtonsRightInset(layout) - layout.button.cx;
    placement.close = RectAt(closeLeft, buttonsTop, layout.button);
    placement.copy = RectAt(closeLeft - m.gap - layout.button.cx, buttonsTop, layout.button);
    placement.list = Rect{m.margin, m.margin, client.cx - m.margin, buttonsTop - m.gap};
    placement.grip = RectAt(client.cx - layout.grip.cx, client.cy - layout.grip.cy, layout.grip);
    return placement;
}

InvalidLinesColumns InvalidLinesColumnsFor(int listWidth, int lineColumnWidth) {
    InvalidLinesColumns columns;
    columns.line = std::max(0, std::min(lineColumnWidth, listWidth));
    const int rest = std::max(0, listWidth - columns.line);
    columns.reason = rest / 2;
    columns.text = rest - columns.reason;
    return columns;
}
