#include "DisabledImage.h"

#include <algorithm>

namespace {

// `weight` parts of 255 of `one`, the rest of `other`, rounded.
std::uint8_t Mix(std::uint8_t one, std::uint8_t other, int weight) {
    return static_cast<std::uint8_t>((one * weight + other * (255 - weight) + 127) / 255);
}

// The grey a pixel of the given lightness (0 dark to 255 light) takes.
PixelColour DisabledPixelColour(int lightness, const DisabledImageTones& tones) {
    // The darkest parts in the grey text colour (three fifths of it over the background outside
    // a high-contrast theme), the lightest nearer the background, so that the shapes still show.
    const int darkest = tones.highContrast ? 255 : 153;
    const int weight = darkest - lightness * (darkest / 2 + 25) / 255;
    const PixelColour& text = tones.greyText;
    const PixelColour& back = tones.background;
    return PixelColour{Mix(text.red, back.red, weight), Mix(text.green, back.green, weight),
                       Mix(text.blue, back.blue, weight)};
}

}  // namespace

void GreyPixels(std::span<const std::uint8_t> source, std::span<std::uint8_t> target, const DisabledImageTones& tones) {
    const std::size_t pixels = std::min(source.size(), target.size()) / 4;
    for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
        const std::uint8_t* from = source.data() + pixel * 4;
        std::uint8_t* to = target.data() + pixel * 4;
        const int lightness = (from[0] * 11 + from[1] * 59 + from[2] * 30) / 100;
        const PixelColour grey = DisabledPixelColour(lightness, tones);
        to[0] = grey.blue;
        to[1] = grey.green;
        to[2] = grey.red;
        to[3] = from[3];
    }
}
