#include "config/view_palette.h"

#include <cmath>
#include <utility>

namespace pathbook {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }

// A grey that stands out from the window by less than this is not seen as a
// different colour under high contrast.
constexpr double kDistinctContrast = 3.0;

double Linear(std::uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t color) {
    return 0.2126 * Linear(color & 0xFF) + 0.7152 * Linear(color >> 8 & 0xFF) + 0.0722 * Linear(color >> 16 & 0xFF);
}

}  // namespace

ViewPalette LightPalette() {
    ViewPalette palette;
    const std::uint32_t colors[kViewColorCount] = {Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(0, 90, 230),
                                                   Rgb(140, 140, 140), Rgb(240, 200, 240), Rgb(0, 50, 200),
                                                   Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0)};
    const std::uint32_t fills[kViewFillCount] = {Rgb(255, 255, 128), Rgb(200, 220, 255), Rgb(219, 53, 97)};
    for (int i = 0; i < kViewColorCount; ++i) palette.colors[i] = colors[i];
    for (int i = 0; i < kViewFillCount; ++i) palette.fills[i] = fills[i];
    return palette;
}

// Chosen so that every pair DrawnPairs lists reaches 4.5:1, inverted too where it can be selected.
ViewPalette DarkPalette() {
    ViewPalette palette;
    const std::uint32_t colors[kViewColorCount] = {Rgb(212, 212, 212), Rgb(255, 255, 255), Rgb(86, 156, 214),
                                                   Rgb(160, 160, 160), Rgb(197, 134, 192), Rgb(120, 190, 255),
                                                   Rgb(30, 30, 30),    Rgb(0, 0, 0),       Rgb(0, 0, 0)};
    const std::uint32_t fills[kViewFillCount] = {Rgb(60, 56, 20), Rgb(28, 48, 70), Rgb(142, 36, 64)};
    for (int i = 0; i < kViewColorCount; ++i) palette.colors[i] = colors[i];
    for (int i = 0; i < kViewFillCount; ++i) palette.fills[i] = fills[i];
    return palette;
}

ViewPalette HighContrastPalette(const SystemColors& system) {
    const bool greyStandsOut = ContrastRatio(system.grayText, system.window) >= kDistinctContrast;
    ViewPalette palette;
    palette.colors[kTextColor] = system.windowText;
    palette.colors[kInverseTextColor] = system.highlightText;
    palette.colors[kSpareColor2] = system.hotLight;
    palette.colors[kMissingLinkColor] = greyStandsOut ? system.grayText : system.windowText;
    palette.colors[kMarkColor] = greyStandsOut ? system.grayText : system.windowText;
    palette.colors[kLinkColor] = system.hotLight;
    palette.colors[kBackgroundColor] = system.window;
    palette.colors[kSpareColor7] = system.windowText;
    palette.colors[kSpareColor8] = system.windowText;
    palette.fills[kFileNameFill] = system.window;
    palette.fills[kCommentFill] = system.window;
    palette.fills[kCrimsonFill] = system.highlight;
    return palette;
}

ViewPalette PaletteFor(const ViewSettings& look, ColorScheme scheme, const SystemColors& system) {
    if (scheme == ColorScheme::kHighContrast) return HighContrastPalette(system);
    const ViewPalette light = LightPalette();
    ViewPalette palette = scheme == ColorScheme::kDark ? DarkPalette() : light;
    for (int i = 0; i < kViewColorCount; ++i) {
        const std::uint32_t own = look.colors[i] & 0x00FFFFFF;
        if (scheme == ColorScheme::kLight || own != light.colors[i]) palette.colors[i] = own;
    }
    return palette;
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    double lighter = Luminance(a & 0x00FFFFFF);
    double darker = Luminance(b & 0x00FFFFFF);
    if (lighter < darker) std::swap(lighter, darker);
    return (lighter + 0.05) / (darker + 0.05);
}

std::vector<DrawnPair> DrawnPairs(const ViewPalette& palette) {
    const std::uint32_t* c = palette.colors;
    const std::uint32_t* f = palette.fills;
    const std::uint32_t background = c[kBackgroundColor];
    return {
        {"text", c[kTextColor], background, true},
        {"link", c[kLinkColor], background, true},
        {"file name", c[kLinkColor], f[kFileNameFill], true},
        {"[...]", c[kInverseTextColor], f[kCrimsonFill], true},
        {"#...", c[kTextColor], f[kCommentFill], true},
        {"link in #...", c[kLinkColor], f[kCommentFill], true},
        {"struck-out part", c[kMissingLinkColor], background, true},
        {"[EOF], tab marks, margin line", c[kMarkColor], background, false},
        {"line numbers", c[kLinkColor], background, false},
    };
}

}  // namespace pathbook
