#include "DialogLayout.h"

#include <cstdint>
#include <limits>

int MulDivRounded(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    std::int64_t product = std::int64_t{number} * numerator;
    std::int64_t divisor = denominator;
    // With a positive divisor, adding or subtracting half of it before the truncating
    // division rounds halves away from zero on either side.
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t quotient = (product >= 0 ? product + half : product - half) / divisor;
    constexpr std::int64_t largest = std::numeric_limits<int>::max();
    if (quotient > largest || quotient < -largest) {
        return -1;
    }
    return static_cast<int>(quotient);
}

int ScaleForDpi(int length96, int dpi) {
    return MulDivRounded(length96, dpi, BaseDpi);
}

int CentredLabelDrop(int fieldHeight, std::optional<int> textHeight) {
    return textHeight ? (fieldHeight - *textHeight) / 2 : UnmeasuredLabelDrop;
}

Rect BottomRightButton(Size client, int margin, int gap, Size button, int indexFromRight) {
    const int left = client.cx - margin - (indexFromRight + 1) * button.cx - indexFromRight * gap;
    return RectAt(left, client.cy - margin - button.cy, button);
}

int UsableDpi(int dpi) {
    return dpi > 0 ? dpi : BaseDpi;
}

// ---- About box ----

AboutBoxMetrics AboutBoxMetrics::ScaledTo(int dpi) const {
    return AboutBoxMetrics{
        ScaleForDpi(margin, dpi),
        ScaleForDpi(gap, dpi),
        ScaleForDpi(buttonWidth, dpi),
        ScaleForDpi(buttonHeight, dpi),
    };
}

AboutBoxLayout AboutBoxLayoutFor(const AboutBoxBase& base, Size icon,
                                 const std::optional<AboutBoxMeasurements>& measured) {
    AboutBoxLayout layout = StartLayout<AboutBoxLayout>(base, measured);
    layout.icon = icon;
    if (measured) {
        layout.textBoxes.versionLine =
            measured->versionLineExtent.value_or(layout.textBoxes.versionLine);
        layout.textBoxes.secondLine =
            measured->secondLineExtent.value_or(layout.textBoxes.secondLine);
    }
    const AboutBoxMetrics& m = layout.metrics;
    const AboutBoxTextBoxes& boxes = layout.textBoxes;
    layout.clientSize = Size{
        2 * m.margin + icon.cx + m.gap + boxes.versionLine.cx,
        2 * m.margin + 2 * m.gap + m.buttonHeight + boxes.versionLine.cy + boxes.secondLine.cy,
    };
    return layout;
}

AboutBoxPlacement PlaceAboutBoxControls(const AboutBoxLayout& layout, Size client) {
    const AboutBoxMetrics& m = layout.metrics;
    const int textLeft = m.margin + layout.icon.cx + m.gap;
    AboutBoxPlacement placement;
    placement.icon = RectAt(m.margin, m.margin, layout.icon);
    placement.versionLine = RectAt(textLeft, m.margin, layout.textBoxes.versionLine);
    placement.secondLine = RectAt(textLeft, m.margin + m.gap + layout.textBoxes.versionLine.cy,
                                  layout.textBoxes.secondLine);
    placement.okButton = BottomRightButton(client, m.margin, 0,
                                           Size{m.buttonWidth, m.buttonHeight}, 0);
    return placement;
}

// ---- Centring ----

namespace {

Rect Moved(const Rect& rect, int dx, int dy) {
    return Rect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

Rect CentreOver(const Rect& window, const Rect& area) {
    const int left = area.left + (area.Width() - window.Width()) / 2;
    const int top = area.top + (area.Height() - window.Height()) / 2;
    return Moved(window, left - window.left, top - window.top);
}

Rect PushInside(const Rect& window, const Rect& workArea) {
    Rect pushed = window;
    if (pushed.right > workArea.right) {
        pushed = Moved(pushed, workArea.right - pushed.right, 0);
    }
    if (pushed.bottom > workArea.bottom) {
        pushed = Moved(pushed, 0, workArea.bottom - pushed.bottom);
    }
    if (pushed.left < workArea.left) {
        pushed = Moved(pushed, workArea.left - pushed.left, 0);
    }
    if (pushed.top < workArea.top) {
        pushed = Moved(pushed, 0, workArea.top - pushed.top);
    }
    return pushed;
}

Rect CentredDialogRect(const Rect& window, const std::optional<Rect>& owner,
                       const Rect& workArea) {
    return PushInside(CentreOver(window, owner.value_or(workArea)), workArea);
}
