// Rectangle arithmetic of the associated-word editor: the character box and the word box beside
// their labels, the word list under them, the column of list buttons at the right and the
// button row, in the two steps every text-fitting dialog takes (DialogLayout.h).
#pragma once

#include "DialogLayout.h"

#include <optional>

struct TipEditMetrics {
    int margin = 0;        // around the client area
    int rowGap = 0;        // between the rows of boxes and above the button row
    int buttonWidth = 0;
    int buttonHeight = 0;
    int boxHeight = 0;     // the character box, the word box and the add-word button
    int smallGap = 0;      // between a label and its box, between buttons
    int charWidth = 0;     // one character of a box when the font cannot be measured
    int textHeight = 0;    // one line of the word list when the font cannot be measured
    TipEditMetrics ScaledTo(int dpi) const;
};

struct TipEditTextBoxes {
    Size characterLabel;  // 1018
    Size wordsLabel;      // 1020
};

using TipEditBase = DialogBaseValues<TipEditMetrics, TipEditTextBoxes>;

inline constexpr TipEditBase TipEditDialogBase{
    {11, 11, 75, 23, 23, 7, 20, 20},
    {{60, 20}, {120, 20}},
};

// What the dialog read on its device context with the dialog font selected. Leave empty what
// could not be read; its default stays.
struct TipEditMeasurements {
    int dpi = BaseDpi;                          // GetDeviceCaps(LOGPIXELSX); 0 or less counts as 96
    std::optional<int> textHeight;              // tmHeight of the dialog font
    std::optional<int> widestCharWidth;         // tmMaxCharWidth of the dialog font
    std::optional<Size> characterLabelExtent;   // 271
    std::optional<Size> wordsLabelExtent;       // 272
};

struct TipEditLayout {
    TipEditMetrics metrics;  // scaled
    TipEditTextBoxes textBoxes;
    int charWidth = 0;                     // the widest character's width / 1.3
    int textHeight = 0;                    // one line of text
    int labelDrop = UnmeasuredLabelDrop;   // centres a label on the box beside it
    Size clientSize;                       // wanted; the window may give a different one
};

// nullopt: no device context, so the base spacing and default boxes stay unscaled.
TipEditLayout TipEditLayoutFor(const std::optional<TipEditMeasurements>& measured);

struct TipEditPlacement {
    Rect cancelButton;    // IDCANCEL
    Rect confirmButton;   // IDOK
    Rect characterLabel;  // 1018
    Rect characterBox;    // 1019
    Rect wordsLabel;      // 1020
    Rect wordBox;         // 1025
    Rect wordList;        // 1021
    Rect addWordButton;   // 1024
    Rect upButton;        // 1022
    Rect downButton;      // 1023
    Rect deleteButton;    // 1026
};

TipEditPlacement PlaceTipEditControls(const TipEditLayout& layout, Size client);
