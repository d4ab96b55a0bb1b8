// The command bar's images: the commands' bitmaps at the bar's DPI (the markup names one per
// size and DPI, the nearest at or above the bar's is taken) with their grey copies for disabled
// buttons, and the frame's icon for the application button. The grey copies follow the system
// colours in force when they are made.
#pragma once

#include "RibbonMarkup.h"
#include "Win32Handles.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct ToolbarImageLists {
    UniqueImageList normal;
    UniqueImageList disabled;
};

// One image per command, in order, from the module's bitmaps; a command without an image of
// the list's size takes an empty one, so that the indexes stay in step with the commands. No
// lists for no commands.
ToolbarImageLists LoadCommandImages(HINSTANCE module, const RibbonModel& model, const std::vector<std::uint16_t>& commands,
                                bool large, int dpi);

// The frame's small icon (else its large one) at the small icon size of dpi, or no list.
UniqueImageList FrameIconImages(HWND frame, int dpi);
