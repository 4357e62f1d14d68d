// The editor's colours under each system colour scheme: the built-in light
// colours, a dark palette for when Windows asks applications to be dark, and
// the system's own colours under high contrast. Also the contrast measure the
// palettes are chosen by (every pair the view draws at least 4.5:1 in the dark
// palette). Tested by doc_type_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "config/doc_type.h"

namespace pathbook {

// The fixed fills behind runs of text (light: yellow, blue, crimson).
enum ViewFill : int {
    kFileNameFill = 0,  // the file-name part of a path link
    kCommentFill = 1,   // a "#..." comment run (highlighting value 1)
    kCrimsonFill = 2,   // a "[...]" block run (highlighting value 3)
};
constexpr int kViewFillCount = 3;

// Colours are COLORREF values, 0x00BBGGRR.
struct ViewPalette {
    std::uint32_t colors[kViewColorCount] = {};  // by ViewColor
    std::uint32_t fills[kViewFillCount] = {};    // by ViewFill
};

enum class ColorScheme {
    kLight,
    kDark,          // AppsUseLightTheme = 0
    kHighContrast,  // SPI_GETHIGHCONTRAST on: the system's colours
};

// The system colours high contrast draws with (GetSysColor).
struct SystemColors {
    std::uint32_t window = 0xFFFFFF;
    std::uint32_t windowText = 0x000000;
    std::uint32_t highlight = 0xD77800;
    std::uint32_t highlightText = 0xFFFFFF;
    std::uint32_t grayText = 0x6D6D6D;
    std::uint32_t hotLight = 0xCC6600;  // links
};

// The built-in document type's colours and the fixed fills.
ViewPalette LightPalette();
ViewPalette DarkPalette();
// Text in window text on the window colour, links in the link colour (they keep
// their underline), the missing part of a link in grey text, or in window text
// when that grey would not stand out from the window (it stays struck out),
// "[...]" in the highlight colours, no tinted fills.
ViewPalette HighContrastPalette(const SystemColors& system);

// What the view paints `look` with: in the light scheme the type's colours; in
// the dark one a slot the type leaves at its light default takes the dark
// colour and a slot it set keeps it; under high contrast the system's colours.
ViewPalette PaletteFor(const ViewSettings& look, ColorScheme scheme, const SystemColors& system);

// The contrast ratio of two colours, 1 to 21 (relative luminance, sRGB).
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// A colour on a colour the view draws with a palette.
struct DrawnPair {
    const char* what;
    std::uint32_t fore;
    std::uint32_t back;
    bool selectable;  // it can lie inside the selection, which inverts it
};
// Every foreground on every background the view draws: text, link, file name,
// "[...]", "#...", the struck-out part, "[EOF]" and the margin, line numbers.
std::vector<DrawnPair> DrawnPairs(const ViewPalette& palette);
// A colour as the selection shows it (inverted).
constexpr std::uint32_t Inverted(std::uint32_t color) { return ~color & 0x00FFFFFF; }

}  // namespace pathbook
