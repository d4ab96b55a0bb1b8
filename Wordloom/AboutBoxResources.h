// Which resources the phrase tool's About box is made of.
#pragma once

#include "res/resource.h"
// After the tool's resource ids.
#include "ToolAboutBox.h"

inline constexpr AboutBoxResources WordloomAboutBox =
    ToolAboutBox(IDI_WORDLOOM, WordloomAboutBoxBase, DialogDpiRule::DeviceContext);
