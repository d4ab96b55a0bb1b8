// Rectangle arithmetic of the text-fitting dialogs: base spacing defined at 96 DPI and scaled,
// text boxes from measured extents, client sizes, control rectangles and centring.
//
// A dialog's layout runs in two steps around the Win32 calls:
//   1. XxxLayoutFor(measurements) after measuring on the device context (or with nullopt
//      when no device context could be had) gives the scaled spacing, the text boxes and the
//      client size to turn into a window rectangle;
//   2. PlaceXxxControls(layout, client) with the client size read back from the resized
//      window gives every control's rectangle.
// Each dialog has its own Metrics, TextBoxes, Base, Measurements, Layout and Placement in
// this shape; the helpers at the top are shared by all of them.
#pragma once

#include <optional>

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Edges as in a Win32 RECT: right and bottom lie just outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect RectAt(int left, int top, Size size) {
    return Rect{left, top, left + size.cx, top + size.cy};
}

// The DPI the base values are written for.
inline constexpr int BaseDpi = 96;

// number * numerator / denominator with a 64-bit product, rounded half away from zero: the
// results of Windows' MulDiv, including -1 for a zero denominator or a result beyond int.
int MulDivRounded(int number, int numerator, int denominator);

// A length given at 96 DPI, at dpi.
int ScaleForDpi(int length96, int dpi);

// A device that reports no DPI (0 or less) is taken to be at the base DPI rather than
// shrinking everything to nothing.
int UsableDpi(int dpi);

// How far a label is moved down to sit centred on a field of fieldHeight beside it: half the
// difference to the font's text height (truncated toward zero), or UnmeasuredLabelDrop
// (unscaled) when the text metrics could not be read.
inline constexpr int UnmeasuredLabelDrop = 5;
int CentredLabelDrop(int fieldHeight, std::optional<int> textHeight);

// What a dialog's layout starts from: its spacing at 96 DPI, and the text boxes it keeps
// unscaled when a text cannot be measured.
template <class Metrics, class TextBoxes>
struct DialogBaseValues {
    Metrics metrics;
    TextBoxes defaultTextBoxes;
};

// The start of a dialog's layout: the base's text boxes, and its metrics at the measured DPI
// (at 96 DPI when nothing could be measured).
template <class Layout, class Base, class Measured>
Layout StartLayout(const Base& base, const std::optional<Measured>& measured) {
    Layout layout;
    layout.metrics = measured ? base.metrics.ScaledTo(UsableDpi(measured->dpi)) : base.metrics;
    layout.textBoxes = base.defaultTextBoxes;
    return layout;
}

// The button at indexFromRight (0 = rightmost) of a row in the client area's bottom right
// corner, margin from the right and bottom edges, gap between neighbours.
Rect BottomRightButton(Size client, int margin, int gap, Size button, int indexFromRight);

// ---- About box (both tools) ----

struct AboutBoxMetrics {
    int margin = 0;
    int gap = 0;  // beside and under the icon, and between the two lines and the button
    int buttonWidth = 0;
    int buttonHeight = 0;
    AboutBoxMetrics ScaledTo(int dpi) const;
};

struct AboutBoxTextBoxes {
    Size versionLine;
    Size secondLine;
};

using AboutBoxBase = DialogBaseValues<AboutBoxMetrics, AboutBoxTextBoxes>;

inline constexpr AboutBoxBase WordloomAboutBoxBase{{11, 11, 75, 23}, {{250, 20}, {250, 20}}};
inline constexpr AboutBoxBase VantixcfgAboutBoxBase{{11, 11, 75, 23}, {{200, 20}, {200, 20}}};

struct AboutBoxMeasurements {
    int dpi = BaseDpi;  // 0 or less counts as 96
    std::optional<Size> versionLineExtent;
    std::optional<Size> secondLineExtent;
};

struct AboutBoxLayout {
    AboutBoxMetrics metrics;  // scaled
    Size icon;                // the icon control's own client size
    AboutBoxTextBoxes textBoxes;
    Size clientSize;
};

// The width follows the version line only: a longer second line does not widen the box.
AboutBoxLayout AboutBoxLayoutFor(const AboutBoxBase& base, Size icon,
                                 const std::optional<AboutBoxMeasurements>& measured);

struct AboutBoxPlacement {
    Rect icon;         // phrase tool 1000, settings tool 1002
    Rect versionLine;  // 1001, 1000
    Rect secondLine;   // 1002, 1001
    Rect okButton;     // IDOK
};

AboutBoxPlacement PlaceAboutBoxControls(const AboutBoxLayout& layout, Size client);

// ---- Centring ----

// The window moved so that its centre lies over the area's (halves truncated toward zero).
Rect CentreOver(const Rect& window, const Rect& area);

// The window moved inside the work area: first so that its right and bottom edges are not
// beyond the area's, then so that its left and top are not before them. A window larger than
// the area thus keeps its top left corner visible.
Rect PushInside(const Rect& window, const Rect& workArea);

// Where a dialog goes: centred over its owner (nullopt when there is none, or it is hidden or
// minimised) or else over the work area of its nearest monitor, then pushed inside that work
// area. The size never changes.
Rect CentredDialogRect(const Rect& window, const std::optional<Rect>& owner,
                       const Rect& workArea);
