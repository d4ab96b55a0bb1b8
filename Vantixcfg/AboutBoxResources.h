// Which resources the settings tool's About box is made of.
#pragma once

#include "AboutBox.h"
#include "res/resource.h"

inline const AboutBoxResources VantixcfgAboutBox{
    .templateId = IDD_ABOUT,
    .iconId = IDI_VANTIX,
    .iconControl = IDC_ABOUT_ICON,
    .versionLineControl = IDC_ABOUT_VERSION,
    .secondLineControl = IDC_ABOUT_NOTE,
    .captionString = IDS_ABOUT_CAPTION,
    .versionFormatString = IDS_ABOUT_VERSION,
    .secondLineString = IDS_ABOUT_NOTE,
    .okString = IDS_OK,
    .base = VantixcfgAboutBoxBase,
    .dpiRule = DialogDpiRule::Monitor,
};
