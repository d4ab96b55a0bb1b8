// Rectangle arithmetic of the phrase edit dialog: the help text, the phrase field with its
// label, the two key fields side by side and the button row, in the two steps every
// text-fitting dialog takes (DialogLayout.h).
#pragma once

#include "DialogLayout.h"

#include <optional>

struct PhraseEditMetrics {
    int margin = 0;        // around the client area
    int verticalGap = 0;   // between rows, and the least room between the two key fields
    int fieldHeight = 0;   // one line of an edit field
    int buttonWidth = 0;
    int buttonHeight = 0;
    int smallGap = 0;      // between the buttons, and between a label and the field beside it
    int labelDrop = 0;     // between a label and the field under it
    PhraseEditMetrics ScaledTo(int dpi) const;
};

struct PhraseEditTextBoxes {
    Size help;           // 1003: the help text wrapped into a box
    Size phraseLabel;    // 1004
    Size vantixLabel;    // 1006
    Size inputKeyLabel;  // 1008
};

using PhraseEditBase = DialogBaseValues<PhraseEditMetrics, PhraseEditTextBoxes>;

inline constexpr PhraseEditBase PhraseEditDialogBase{
    {11, 11, 23, 75, 23, 7, 5},
    {{500, 80}, {100, 20}, {100, 20}, {100, 20}},
};

// What the dialog read on its device context with the dialog font selected. Leave empty what
// could not be read; its default stays.
struct PhraseEditMeasurements {
    int dpi = BaseDpi;                        // GetDeviceCaps(LOGPIXELSX); 0 or less counts as 96
    std::optional<int> textHeight;            // tmHeight of the dialog font
    std::optional<Size> helpTextExtent;       // the help text (114) on one line
    std::optional<Size> phraseLabelExtent;    // 115
    std::optional<Size> vantixLabelExtent;    // 116
    std::optional<Size> inputKeyLabelExtent;  // 117
};

struct PhraseEditLayout {
    PhraseEditMetrics metrics;  // scaled
    PhraseEditTextBoxes textBoxes;
    int phraseLabelDrop = UnmeasuredLabelDrop;  // centres the phrase label on one field line
    Size clientSize;                            // wanted; the window may give a different one
};

// The help box is a third of the single-line width (truncated) and four lines high.
Size HelpBoxFromExtent(Size helpTextExtent);

// nullopt: no device context, so the base spacing and default boxes stay unscaled.
PhraseEditLayout PhraseEditLayoutFor(const std::optional<PhraseEditMeasurements>& measured);

struct PhraseEditPlacement {
    Rect cancelButton;   // IDCANCEL
    Rect okButton;       // IDOK
    Rect helpText;       // 1003
    Rect phraseLabel;    // 1004
    Rect phraseField;    // 1005
    Rect vantixLabel;    // 1006
    Rect vantixField;    // 1007
    Rect inputKeyLabel;  // 1008
    Rect inputKeyField;  // 1009
};

PhraseEditPlacement PlacePhraseEditControls(const PhraseEditLayout& layout, Size client);
