#include "CommandBarImages.h"
#include "CommandBarColours.h"

#include "DisabledImage.h"
#include "DisplayMetrics.h"

#include <commctrl.h>

#include <cstdlib>

namespace {

std::size_t DpiSlot(int dpi) {
    for (std::size_t slot = 0; slot < ImageDpis.size(); ++slot) {
        if (static_cast<int>(ImageDpis[slot]) >= dpi) return slot;
    }
    return ImageDpis.size() - 1;
}

// A copy of a 32-bit image in the grey of disabled text, or none for another kind of bitmap.
UniqueBitmap GreyCopy(HBITMAP source) {
    DIBSECTION section{};
    if (GetObjectW(source, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 32) return {};
    BITMAPINFO info{};
    info.bmiHeader = section.dsBmih;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !bits || !section.dsBm.bmBits) return {};
    // 32-bit rows need no padding.
    const std::size_t bytes =
        static_cast<std::size_t>(section.dsBm.bmWidth) * static_cast<std::size_t>(std::abs(section.dsBm.bmHeight)) * 4;
    GreyPixels(std::span(static_cast<const std::uint8_t*>(section.dsBm.bmBits), bytes),
               std::span(static_cast<std::uint8_t*>(bits), bytes), CurrentDisabledImageTones());
    return copy;
}

}  // namespace

ToolbarImageLists LoadCommandImages(HINSTANCE module, const RibbonModel& model, const std::vector<std::uint16_t>& commands,
                                bool large, int dpi) {
    const std::size_t slot = DpiSlot(dpi);
    ToolbarImageLists images;
    for (const std::uint16_t command : commands) {
        const RibbonCommand* found = model.Command(command);
        const std::uint16_t resource =
            found && found->images ? (large ? found->images->large[slot] : found->images->small[slot]) : 0;
        UniqueBitmap bitmap;
        if (resource) {
            bitmap.reset(static_cast<HBITMAP>(
                LoadImageW(module, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        }
        BITMAP info{};
        if (bitmap) GetObjectW(bitmap.get(), sizeof info, &info);
        if (!images.normal) {
            // The first image sets the size; a command without one still takes a slot of that size.
            const int side = info.bmWidth ? info.bmWidth : MulDiv(large ? 32 : 16, dpi, 96);
            const int height = info.bmHeight ? info.bmHeight : side;
            images.normal.reset(ImageList_Create(side, height, ILC_COLOR32, 8, 4));
            images.disabled.reset(ImageList_Create(side, height, ILC_COLOR32, 8, 4));
            if (!images.normal || !images.disabled) return images;
        }
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images.normal.get(), &width, &height);
        if (bitmap && info.bmWidth == width && info.bmHeight == height) {
            ImageList_Add(images.normal.get(), bitmap.get(), nullptr);
            UniqueBitmap grey = GreyCopy(bitmap.get());
            ImageList_Add(images.disabled.get(), grey ? grey.get() : bitmap.get(), nullptr);
        } else {
            // Keeps the indexes in step with the commands: an empty image.
            UniqueBitmap blank(CreateBitmap(width, height, 1, 32, nullptr));
            ImageList_Add(images.normal.get(), blank.get(), nullptr);
            ImageList_Add(images.disabled.get(), blank.get(), nullptr);
        }
    }
    return images;
}

UniqueImageList FrameIconImages(HWND frame, int dpi) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(frame, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(frame, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(frame, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(frame, GCLP_HICON));
    if (!icon) return {};
    const int side = SystemMetricAtDpi(SM_CXSMICON, dpi);
    UniqueImageList list(ImageList_Create(side, side, ILC_COLOR32, 1, 0));
    if (list) ImageList_AddIcon(list.get(), icon);
    return list;
}
