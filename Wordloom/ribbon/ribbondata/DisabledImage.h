// The grey copy a disabled command shows instead of its image. Under Wine the toolbars draw an
// image with an alpha channel unchanged when its button is disabled, so the bar keeps a second
// image list of its own: each pixel takes a grey between the grey text colour and the bar's
// background by how light it was, and keeps its alpha, so the shape stays as it was.
#pragma once

#include <cstdint>
#include <span>

struct PixelColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The colours in force when the copy is made: the system's grey text and button face, and
// whether a high-contrast theme is on (its greys stay nearer the text colour).
struct DisabledImageTones {
    PixelColour greyText;
    PixelColour background;
    bool highContrast = false;
};

// Writes the grey copy of `source` into `target`: 32-bit pixels, bytes in blue, green, red,
// alpha order (a 32-bit DIB's), with straight (not premultiplied) alpha. As many whole pixels
// as both spans hold are written.
void GreyPixels(std::span<const std::uint8_t> source, std::span<std::uint8_t> target, const DisabledImageTones& tones);
