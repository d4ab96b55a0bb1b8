// The colours the command bar draws its buttons in. All of them come from the system's colours,
// read when a button is drawn, so the bar follows a new colour scheme or a high-contrast theme as
// the rest of the window does.
#pragma once

#include "DisabledImage.h"

#include <windows.h>

enum class ButtonLook { Normal, Hot, Pressed, Disabled };

struct ButtonColours {
    bool filled = false;  // false: the bar's own background shows through
    COLORREF fill = 0;
    COLORREF frame = 0;
    COLORREF text = 0;    // the label and the drop-down mark
};

// Under a high-contrast theme a hot or pressed button takes the plain highlight pair; otherwise a
// light tint of the highlight over the window colour, with the first text colour that reads well
// on it.
ButtonColours ColoursFor(ButtonLook look);

// Whether a high-contrast theme is on (SPI_GETHIGHCONTRAST). Wine cannot switch one on, so tests
// give their own answer; null gives the system's back.
bool HighContrastOn();
void SetHighContrastQuery(bool (*query)());

// The colours a disabled button's image is greyed between, against the bar's background.
DisabledImageTones CurrentDisabledImageTones();
