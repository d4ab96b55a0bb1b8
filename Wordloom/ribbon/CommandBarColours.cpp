#include "CommandBarColours.h"

#include <array>
#include <cmath>

namespace {

bool (*highContrastQuery)() = nullptr;

bool SystemHighContrast() {
    HIGHCONTRASTW state{};
    state.cbSize = sizeof state;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) && (state.dwFlags & HCF_HIGHCONTRASTON);
}

// `weight` parts of 255 of `one`, the rest of `other`.
COLORREF Blend(COLORREF one, COLORREF other, int weight) {
    const auto mix = [weight](int a, int b) { return (a * weight + b * (255 - weight) + 127) / 255; };
    return RGB(mix(GetRValue(one), GetRValue(other)), mix(GetGValue(one), GetGValue(other)),
               mix(GetBValue(one), GetBValue(other)));
}

double Luminance(COLORREF colour) {
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) + 0.0722 * linear(GetBValue(colour));
}

// The contrast ratio of two colours, 1 (the same) to 21 (black and white), as the accessibility
// guidelines measure it.
double ContrastRatio(COLORREF one, COLORREF other) {
    const double first = Luminance(one) + 0.05;
    const double second = Luminance(other) + 0.05;
    return first > second ? first / second : second / first;
}

// The first of the usual text colours that reads well on the fill, else the one that reads best.
COLORREF TextOn(COLORREF fill) {
    constexpr double readable = 4.5;
    constexpr std::array<int, 3> candidates{COLOR_BTNTEXT, COLOR_WINDOWTEXT, COLOR_HIGHLIGHTTEXT};
    COLORREF best = GetSysColor(candidates.front());
    for (const int candidate : candidates) {
        const COLORREF text = GetSysColor(candidate);
        const double contrast = ContrastRatio(text, fill);
        if (contrast >= readable) return text;
        if (contrast > ContrastRatio(best, fill)) best = text;
    }
    return best;
}

}  // namespace

bool HighContrastOn() {
    return highContrastQuery ? highContrastQuery() : SystemHighContrast();
}

void SetHighContrastQuery(bool (*query)()) {
    highContrastQuery = query;
}

ButtonColours ColoursFor(ButtonLook look) {
    ButtonColours colours;
    if (look == ButtonLook::Normal || look == ButtonLook::Disabled) {
        colours.text = GetSysColor(look == ButtonLook::Normal ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        return colours;
    }
    colours.filled = true;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    if (HighContrastOn()) {
        colours.fill = highlight;
        colours.text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        // A pressed button keeps an edge in the text colour, so it still differs from a hot one.
        colours.frame = look == ButtonLook::Pressed ? GetSysColor(COLOR_BTNTEXT) : highlight;
        return colours;
    }
    colours.fill = Blend(highlight, GetSysColor(COLOR_WINDOW), look == ButtonLook::Pressed ? 110 : 60);
    colours.frame = highlight;
    colours.text = TextOn(colours.fill);
    return colours;
}

DisabledImageTones CurrentDisabledImageTones() {
    const auto pixel = [](int index) {
        const COLORREF colour = GetSysColor(index);
        return PixelColour{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    return DisabledImageTones{pixel(COLOR_GRAYTEXT), pixel(COLOR_BTNFACE), HighContrastOn()};
}
