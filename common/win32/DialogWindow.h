// The Win32 half of the text-fitting dialog layout: the dialog font, the DPI by each tool's
// rule, measuring texts, sizing the window for a client size, placing controls, the icons.
#pragma once

#include "DialogLayout.h"
#include "DisplayMetrics.h"
#include "Win32Handles.h"

#include <windows.h>

#include <optional>
#include <string>

// How a tool finds the DPI its dialogs are laid out for.
enum class DialogDpiRule {
    DeviceContext,  // the phrase tool: LOGPIXELSX of the dialog's device context, laid out once
    Monitor,        // the settings tool: the effective DPI of the nearest monitor, followed on change
};

// The dialog font and the DPI of one layout run, and the device context to measure on (with
// the font selected) while the object lives.
class DialogMeasure {
public:
    // For the monitor rule, a DPI that a DPI change announced stands for the monitor's (which
    // may not report it yet while the window moves); 0: ask the monitor.
    DialogMeasure(HWND dialog, DialogDpiRule rule, int announcedDpi = 0);

    bool HasDeviceContext() const { return static_cast<bool>(dc_); }
    int Dpi() const { return dpi_; }
    HFONT Font() const { return font_.get(); }
    std::optional<Size> Extent(const std::wstring& text) const;
    std::optional<int> TextHeight() const;
    std::optional<int> WidestCharWidth() const;  // tmMaxCharWidth
    // The font for the dialog to keep once the measuring is over.
    UniqueFont TakeFont() { return std::move(font_); }

private:
    std::optional<TEXTMETRICW> Metrics() const;

    int dpi_ = BaseDpi;
    UniqueFont font_;
    WindowDC dc_;
    std::optional<SelectedObject> selected_;
};

// Moves and sizes the dialog so that its client area has the given size (at the given DPI for
// the monitor rule), and returns the client size the window really got.
Size ResizeDialogClient(HWND dialog, Size client, int dpi, DialogDpiRule rule);

// Moves a control, gives it the dialog font and, when given, its text.
void PlaceDialogControl(HWND dialog, int controlId, const Rect& rect, HFONT font,
                        const std::wstring* text = nullptr);

// Loads the dialog's small and big icons at the sizes for a DPI and sets them; the icons that
// were set before are freed by their owners, any icon the window hands back is destroyed.
void LoadDialogIcons(HWND dialog, HINSTANCE instance, int iconId, int dpi, DialogDpiRule rule,
                     UniqueIcon& smallIcon, UniqueIcon& bigIcon);
