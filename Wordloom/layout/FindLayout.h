// Rectangle arithmetic of the Find dialog: the find-what box with its label on the top line, the
// whole-phrase box and the direction frame with its two radio buttons under it, and the column
// of three buttons on the right, in the two steps of DialogLayout.h.
#pragma once

#include "DialogLayout.h"

#include <optional>

struct FindMetrics {
    int margin = 0;         // around the client area
    int buttonWidth = 0;
    int buttonHeight = 0;   // also the find-what box's height
    int smallGap = 0;       // between the buttons, between the label and its box, between the radios
    int sectionGap = 0;     // between the box and the buttons' column, above the direction frame
    int framePadding = 0;   // inside the direction frame, left and right
    int aboveCheck = 0;     // from the frame's top to the check box and radio buttons
    FindMetrics ScaledTo(int dpi) const;
};

struct FindTextBoxes {
    Size label;       // 1012
    Size matchWhole;  // 1014, its check mark included
    Size up;          // 1016, its radio mark included
    Size down;        // 1017, its radio mark included
};

using FindBase = DialogBaseValues<FindMetrics, FindTextBoxes>;

inline constexpr FindBase FindDialogBase{
    {11, 75, 23, 7, 11, 9, 16},
    {{80, 20}, {170, 20}, {60, 20}, {90, 20}},
};

// What the dialog read on its device context with the dialog font selected; what is left empty
// keeps its default. The check box and radio extents are the texts' alone: the layout adds the
// mark's room.
struct FindMeasurements {
    int dpi = BaseDpi;  // 0 or less counts as 96
    std::optional<int> textHeight;
    int markWidth = 0;  // the system's check-mark width plus its edge width
    std::optional<Size> labelExtent;
    std::optional<Size> matchWholeExtent;
    std::optional<Size> upExtent;
    std::optional<Size> downExtent;
};

struct FindLayout {
    FindMetrics metrics;  // scaled
    FindTextBoxes textBoxes;
    int labelDrop = UnmeasuredLabelDrop;  // centres the label on the box's line
    Size clientSize;
};

// nullopt: no device context, so the base spacing and default boxes stay unscaled.
FindLayout FindLayoutFor(const std::optional<FindMeasurements>& measured);

struct FindPlacement {
    Rect findNext;     // 1010
    Rect markAll;      // 1011
    Rect cancel;       // IDCANCEL
    Rect label;        // 1012
    Rect findWhat;     // 1013
    Rect matchWhole;   // 1014
    Rect direction;    // 1015
    Rect up;           // 1016
    Rect down;         // 1017
};

FindPlacement PlaceFindControls(const FindLayout& layout, Size client);
