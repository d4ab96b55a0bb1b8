// The keyboard-layout pictures of the configure dialog.
#pragma once

#include "DialogLayout.h"
#include "Win32Handles.h"

#include <windows.h>

// The bitmap resource that shows a stored keyboard layout (143 + its picture index).
int PreviewBitmapId(int keyboardLayout);

// The layout's picture at exactly `size`, scaled smoothly from its resource; empty when the
// resource is missing or the size is empty.
UniqueBitmap LoadLayoutPreview(HINSTANCE instance, int keyboardLayout, Size size);
