// Which resources the settings tool's About box is made of.
#pragma once

#include "res/resource.h"
// After the tool's resource ids.
#include "ToolAboutBox.h"

inline constexpr AboutBoxResources VantixcfgAboutBox =
    ToolAboutBox(IDI_VANTIX, VantixcfgAboutBoxBase, DialogDpiRule::Monitor);
