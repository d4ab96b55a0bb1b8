// The About box of the tool being built. Both tools name the box's template, controls and
// strings alike in their own res/resource.h (under their own numbers), so the includer's
// resource header, included first, decides which they are.
#pragma once

#include "AboutBox.h"

#ifndef IDD_ABOUT
#error "include the tool's res/resource.h before ToolAboutBox.h"
#endif

constexpr AboutBoxResources ToolAboutBox(int iconId, const AboutBoxBase& base, DialogDpiRule dpiRule) {
    return {IDD_ABOUT,         iconId,         IDC_ABOUT_ICON, IDC_ABOUT_VERSION, IDC_ABOUT_NOTE, IDS_ABOUT_CAPTION,
            IDS_ABOUT_VERSION, IDS_ABOUT_NOTE, IDS_OK,         base,              dpiRule};
}
