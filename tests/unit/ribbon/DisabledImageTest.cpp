// The grey copies of disabled commands' images, byte for byte.
#include "DisabledImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DisabledImage, GreysEachPixelByItsLightnessAndKeepsItsAlpha) {
    // Black, half-transparent white, blue and red, in a 32-bit DIB's byte order (blue first).
    const Bytes source = {0, 0, 0, 255, 255, 255, 255, 128, 255, 0, 0, 0, 0, 0, 255, 77};
    // Every channel of the two tones differs, so that a swapped channel shows.
    DisabledImageTones tones{{100, 110, 120}, {240, 230, 220}, false};
    Bytes grey(source.size());
    GreyPixels(source, grey, tones);
    // Black takes 153/255 of the grey text, white 52/255; blue counts for less lightness than red.
    EXPECT_EQ(grey, (Bytes{160, 158, 156, 255, 200, 206, 211, 128, 164, 163, 162, 0, 172, 172, 172, 77}));

    // Under a high contrast theme black is the grey text itself, and white stays darker.
    tones.highContrast = true;
    GreyPixels(source, grey, tones);
    EXPECT_EQ(grey, (Bytes{120, 110, 100, 255, 180, 182, 183, 128, 126, 118, 109, 0, 138, 131, 125, 77}));

    // Only whole pixels that both buffers hold are written.
    Bytes shorter(7, 9);
    GreyPixels(source, shorter, tones);
    EXPECT_EQ(shorter, (Bytes{120, 110, 100, 255, 9, 9, 9}));
}

}  // namespace
