// Where the command bar's windows go, from what the bar measured on its font and its controls.
// The top row holds the application button, the quick access toolbar and the tab row; below it
// the tab's groups stand side by side, each a run of toolbars over its label, a separator after
// it. Collapsed, the bar is only its top row; a peek (keytips on a collapsed bar) shows the
// groups over the window below without taking room from it.
//
// The layout runs in two steps around the Win32 calls, as the dialogs' do:
//   1. LargeButtonSize gives the size of every large button (image over a two-line label); the
//      bar sets it on its large toolbars and then measures every toolbar's extent;
//   2. LayOutCommandBar places the windows from those extents.
// Lengths are given at 96 DPI and scaled to the bar's.
#pragma once

#include "DialogLayout.h"

#include <cstdint>
#include <vector>

struct LargeButtonMeasurements {
    int dpi = BaseDpi;
    int textHeight = 0;   // a line of the bar's font
    int widestLabel = 0;  // the widest large button's label, broken onto two lines where it can
    Size image;           // the large images
};

Size LargeButtonSize(const LargeButtonMeasurements& measured);

// One toolbar of a group as its buttons extend.
struct GroupToolbarExtent {
    std::uint16_t group = 0;
    bool large = false;
    Size extent;
};

struct GroupLabelWidth {
    std::uint16_t group = 0;
    int width = 0;
};

struct CommandBarMeasurements {
    int dpi = BaseDpi;
    int width = 0;  // the frame's client area
    int textHeight = 0;
    Size applicationButton;  // the application button's toolbar
    Size quickAccess;
    int tabItemBottom = 0;   // the bottom of a tab in the tab row
    Size largeButton;        // from LargeButtonSize
    std::vector<GroupToolbarExtent> groupToolbars;  // in the order of their groups and within them
    std::vector<GroupLabelWidth> groups;            // the tab's groups in order
    bool collapsed = false;
    bool peeking = false;
};

struct CommandBarLayout {
    Rect applicationButton;
    Rect quickAccess;
    Rect tabRow;
    std::vector<Rect> groupToolbars;  // as measured
    // Each group's box: its toolbars above, its label along the bottom; the separator stands
    // just right of it.
    std::vector<Rect> groupFrames;
    bool groupsShown = true;
    int height = 0;        // the room the bar takes at the top of the frame
    int windowHeight = 0;  // the bar window's own: more than height while peeking
};

CommandBarLayout LayOutCommandBar(const CommandBarMeasurements& measured);
