// Rectangle arithmetic of the Invalid Lines report: the list over the whole client area but a
// row of two buttons (Copy, Close) in the bottom right corner, left of the size grip, in the two
// steps of DialogLayout.h. The dialog is resizable: the placement is asked again on every size,
// never smaller than the minimum client size.
#pragma once

#include "DialogLayout.h"

#include <optional>

struct InvalidLinesMetrics {
    int margin = 0;          // around the client area
    int gap = 0;             // between the list and the buttons, between the buttons
    int buttonWidth = 0;     // at least; a longer text widens both buttons
    int buttonHeight = 0;
    int buttonPadding = 0;   // beside a button's text, each side
    int listWidth = 0;       // the list's size when the dialog opens
    int listHeight = 0;
    int minimumListWidth = 0;
    int minimumListHeight = 0;
    InvalidLinesMetrics ScaledTo(int dpi) const;
};

struct InvalidLinesTextBoxes {
    Size copy;   // the Copy button's text
    Size close;  // the Close button's text
};

using InvalidLinesBase = DialogBaseValues<InvalidLinesMetrics, InvalidLinesTextBoxes>;

inline constexpr InvalidLinesBase InvalidLinesDialogBase{
    {11, 7, 75, 23, 10, 720, 320, 200, 80},
    {{30, 13}, {30, 13}},
};

struct InvalidLinesMeasurements {
    int dpi = BaseDpi;  // 0 or less counts as 96
    Size grip;          // the size grip: the system's scroll bar width and height at that DPI
    std::optional<Size> copyExtent;
    std::optional<Size> closeExtent;
};

struct InvalidLinesLayout {
    InvalidLinesMetrics metrics;  // scaled
    InvalidLinesTextBoxes textBoxes;
    Size grip;
    Size button;         // both buttons
    Size clientSize;     // when the dialog opens
    Size minimumClient;  // the smallest it may be made
};

// nullopt: no device context, so the base spacing and default boxes stay unscaled.
InvalidLinesLayout InvalidLinesLayoutFor(const std::optional<InvalidLinesMeasurements>& measured);

struct InvalidLinesPlacement {
    Rect list;
    Rect copy;
    Rect close;
    Rect grip;
};

// A client smaller than the minimum is laid out as the minimum.
InvalidLinesPlacement PlaceInvalidLinesControls(const InvalidLinesLayout& layout, Size client);

struct InvalidLinesColumns {
    int line = 0;
    int reason = 0;
    int text = 0;
};

// The widths of the three columns in a list whose client area is listWidth wide: the line
// numbers as wide as their widest text, half of the rest for the reason, the text the rest.
InvalidLinesColumns InvalidLinesColumnsFor(int listWidth, int lineColumnWidth);
