// Rectangle arithmetic of the settings tool's configure dialog: the frame with its tab control
// and buttons, and the three pages that lie over the tab control's display area. The same two
// steps as the other dialogs (DialogLayout.h), with one step between them that needs the
// platform: the page rectangle grown into the tab control's window rectangle.
//
//   1. ConfigureLayoutFor(measurements, check mark) gives the scaled spacing, the text boxes,
//      the width and height of a check box row and the page size;
//   2. the tab control grows (0, 0, page width, page height) into its window rectangle
//      (TCM_ADJUSTRECT); ConfigureClientSize gives the client size for the window;
//   3. PlaceConfigureFrame with the client size read back, and PlaceXxxPage for each page
//      (in page coordinates) give every control's rectangle.
#pragma once

#include "DialogLayout.h"

#include <optional>
#include <span>

struct ConfigureMetrics {
    int margin = 0;        // M: around everything, and between rows
    int smallGap = 0;      // S: between buttons, beside labels, under indented rows
    int buttonWidth = 0;   // BW
    int buttonHeight = 0;  // BH
    int listHeight = 0;    // H: the drop-down lists
    int groupInset = 0;    // N: inside a group box, left, right and bottom
    int groupTop = 0;      // G: from a group box's top to its first row
    int groupRowGap = 0;   // R: between rows inside a group box
    ConfigureMetrics ScaledTo(int dpi) const;
};

struct ConfigureTextBoxes {
    Size widestCheckText;        // the longest check box or radio text (string 116 in English)
    Size phraseToolButtonText;   // 121
    Size generalHeading;         // 2002
    Size outputHeading;          // 2003
    Size advancedHeading;        // 2004
    Size keyboardHeading;        // 2005
    Size fontLabel;              // 2016
    Size widestLayoutName;       // 2010
    Size widestFontSizeName;     // 2014
};

using ConfigureBase = DialogBaseValues<ConfigureMetrics, ConfigureTextBoxes>;

inline constexpr ConfigureBase ConfigureDialogBase{
    {11, 7, 75, 23, 23, 14, 19, 7},
    {{500, 20}, {200, 20}, {120, 20}, {110, 20}, {65, 20}, {130, 20}, {120, 20}, {180, 20}, {180, 20}},
};

// The picture every keyboard preview is drawn at; the control keeps its proportions.
inline constexpr Size LayoutPreviewSize{600, 160};

// What the dialog read on its device context with the dialog font selected; what could not be
// read stays empty and its default is used.
struct ConfigureMeasurements {
    int dpi = BaseDpi;  // 0 or less counts as 96
    std::optional<Size> widestCheckText;
    std::optional<Size> phraseToolButtonText;
    std::optional<Size> generalHeading;
    std::optional<Size> outputHeading;
    std::optional<Size> advancedHeading;
    std::optional<Size> keyboardHeading;
    std::optional<Size> fontLabel;
    std::optional<Size> widestLayoutName;
    std::optional<Size> widestFontSizeName;
};

// The widest of the extents (by width); nothing for none.
std::optional<Size> WidestExtent(std::span<const std::optional<Size>> extents);

struct ConfigureLayout {
    ConfigureMetrics metrics;  // scaled
    Size checkMark;            // K: the check-mark box with its edge, and its height
    ConfigureTextBoxes textBoxes;
    int checkWidth = 0;        // CW: every check box and radio button is CW x RH
    int rowHeight = 0;         // RH
    Size page;                 // PW x PH: the display area of the tab control
};

// nullopt: no device context, so the spacing stays unscaled, rows are 500 x 20 and the
// default text boxes are used. The check mark is measured by the caller either way.
ConfigureLayout ConfigureLayoutFor(const std::optional<ConfigureMeasurements>& measured, Size checkMark);

// tabWindow is the page rectangle (0, 0, PW, PH) grown into the tab control's window
// rectangle: its left and top are zero or negative.
Size ConfigureClientSize(const ConfigureLayout& layout, const Rect& tabWindow);

struct ConfigureFramePlacement {
    Rect tabs;              // 1028
    Rect pages;             // each of the three pages, over the tab control's display area
    Rect phraseToolButton;  // 1011
    Rect okButton;          // IDOK
    Rect cancelButton;      // IDCANCEL
};

ConfigureFramePlacement PlaceConfigureFrame(const ConfigureLayout& layout, const Rect& tabWindow,
                                            Size client);

// A heading at the page's left and the etched line that runs from beside it to the right margin.
struct HeadingPlacement {
    Rect heading;
    Rect line;
};

struct GeneralPagePlacement {
    HeadingPlacement general;  // 1023, 1022
    Rect alphanumeric;         // 1017
    Rect cueSpecialCode;       // 1016
    Rect promptAssociatedWords;  // 1003
    Rect spaceFinalizes;       // 1004, indented by the check mark
    Rect fontHint;             // 1036
    Rect fontLabel;            // 1037
    Rect fontSize;             // 1038
    HeadingPlacement output;   // 1025, 1024
    Rect unicodeGroup;         // 1007
    Rect extB;                 // 1005
    Rect extCD;                // 1006
    Rect extE;                 // 1034
    Rect extF;                 // 1035
};

struct AdvancedPagePlacement {
    HeadingPlacement settings;  // 1026, 1027
    Rect shiftGroup;            // 1012
    Rect anyShift;              // 1013
    Rect leftShift;             // 1014
    Rect rightShift;            // 1015
    Rect showReading;           // 1010
    Rect phraseInput;           // 1008
    Rect phraseSourceGroup;     // 1018, indented by the check mark
    Rect builtInPhrases;        // 1019
    Rect userPhrases;           // 1020
    Rect bothPhrases;           // 1021
    Rect warningBeep;           // 1009
};

struct KeyboardPagePlacement {
    HeadingPlacement keyboard;  // 1029, 1030
    Rect hint;                  // 1031
    Rect layoutList;            // 1032
    Rect preview;               // 1033
};

GeneralPagePlacement PlaceGeneralPage(const ConfigureLayout& layout);
AdvancedPagePlacement PlaceAdvancedPage(const ConfigureLayout& layout);
KeyboardPagePlacement PlaceKeyboardPage(const ConfigureLayout& layout);

// The largest rectangle of the picture's proportions in the free area, at its top left corner.
Rect FitPicture(const Rect& freeArea, Size picture);
