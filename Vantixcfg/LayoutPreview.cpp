#include "LayoutPreview.h"

#include "SettingsChoices.h"
#include "res/resource.h"

namespace {

// A 24-bit picture: no alpha channel, so a static control shows the bitmap it is given
// instead of a copy of its own.
UniqueBitmap CreatePicture(Size size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

}  // namespace

int PreviewBitmapId(int keyboardLayout) {
    return IDB_LAYOUT_QWERTY + PreviewIndexOf(keyboardLayout);
}

UniqueBitmap LoadLayoutPreview(HINSTANCE instance, int keyboardLayout, Size size) {
    if (size.cx <= 0 || size.cy <= 0) return {};
    UniqueBitmap source(static_cast<HBITMAP>(LoadImageW(
        instance, MAKEINTRESOURCEW(PreviewBitmapId(keyboardLayout)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!source) return {};
    BITMAP sourceInfo{};
    GetObjectW(source.get(), sizeof(sourceInfo), &sourceInfo);

    UniqueBitmap picture = CreatePicture(size);
    const UniqueMemoryDC from = CreateScreenCompatibleDC();
    const UniqueMemoryDC to = CreateScreenCompatibleDC();
    if (!picture || !from || !to) return {};
    const SelectedObject sourceSelected(from.get(), source.get());
    const SelectedObject pictureSelected(to.get(), picture.get());
    // Halftone averages the pixels a shrunk picture leaves out, so the key labels stay legible.
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, sourceInfo.bmWidth, sourceInfo.bmHeight,
               SRCCOPY);
    return picture;
}
