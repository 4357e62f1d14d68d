#include <gtest/gtest.h>

#include "config/view_palette.h"

namespace pathbook {
namespace {

constexpr double kReadable = 4.5;

// Every pair the view draws is readable, and stays so inverted inside the selection.
void ExpectReadable(const ViewPalette& palette, const char* name) {
    for (const DrawnPair& pair : DrawnPairs(palette)) {
        EXPECT_GE(ContrastRatio(pair.fore, pair.back), kReadable) << name << ": " << pair.what;
        if (pair.selectable) {
            EXPECT_GE(ContrastRatio(Inverted(pair.fore), Inverted(pair.back)), kReadable)
                << name << ": selected " << pair.what;
        }
    }
}

TEST(ContrastRatioTest, KnownValues) {
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x123456, 0x123456), 1.0);
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);  // the lightest grey readable on white
    EXPECT_NEAR(ContrastRatio(0xFF000000, 0xFFFFFF), 21.0, 1e-9);  // the byte above the colour is ignored
}

TEST(ViewPaletteTest, DarkPaletteIsReadableEverywhere) { ExpectReadable(DarkPalette(), "dark"); }

TEST(ViewPaletteTest, LightPaletteIsTheBuiltInTypes) {
    const ViewSettings look = DefaultDocType(u"(default)").appearance;
    const ViewPalette light = PaletteFor(look, ColorScheme::kLight, SystemColors{});
    for (int i = 0; i < kViewColorCount; ++i) EXPECT_EQ(light.colors[i], look.colors[i]) << i;
    EXPECT_EQ(light.fills[kFileNameFill], 0x80FFFFu);
    EXPECT_EQ(light.fills[kCommentFill], 0xFFDCC8u);
    EXPECT_EQ(light.fills[kCrimsonFill], 0x6135DBu);
}

TEST(ViewPaletteTest, DarkSchemeKeepsTheColoursATypeSetItself) {
    ViewSettings look = DefaultDocType(u"(default)").appearance;
    look.colors[kLinkColor] = 0x00FF00;
    const ViewPalette palette = PaletteFor(look, ColorScheme::kDark, SystemColors{});
    const ViewPalette dark = DarkPalette();
    EXPECT_EQ(palette.colors[kLinkColor], 0x00FF00u);
    EXPECT_EQ(palette.colors[kBackgroundColor], dark.colors[kBackgroundColor]);
    EXPECT_EQ(palette.colors[kTextColor], dark.colors[kTextColor]);
    EXPECT_EQ(palette.fills[kCommentFill], dark.fills[kCommentFill]);
}

// The system's high-contrast themes, as GetSysColor gives them.
struct Theme {
    const char* name;
    SystemColors colors;
};
const Theme kHighContrastThemes[] = {
    {"black", {0x000000, 0xFFFFFF, 0xFFEB1A, 0x000000, 0x3FF23F, 0x00FFFF}},
    {"white", {0xFFFFFF, 0x000000, 0x6E0037, 0xFFFFFF, 0x000060, 0x9F0000}},
};

TEST(ViewPaletteTest, HighContrastDrawsWithTheSystemColours) {
    ViewSettings look = DefaultDocType(u"(default)").appearance;
    look.colors[kTextColor] = 0x123456;  // a type's own colours give way too
    for (const Theme& theme : kHighContrastThemes) {
        const ViewPalette palette = PaletteFor(look, ColorScheme::kHighContrast, theme.colors);
        EXPECT_EQ(palette.colors[kTextColor], theme.colors.windowText) << theme.name;
        EXPECT_EQ(palette.colors[kBackgroundColor], theme.colors.window) << theme.name;
        EXPECT_EQ(palette.colors[kLinkColor], theme.colors.hotLight) << theme.name;
        EXPECT_EQ(palette.colors[kMissingLinkColor], theme.colors.grayText) << theme.name;
        EXPECT_EQ(palette.fills[kFileNameFill], theme.colors.window) << theme.name;
        ExpectReadable(palette, theme.name);
    }
}

TEST(ViewPaletteTest, HighContrastKeepsTheStruckOutPartVisible) {
    SystemColors faint = kHighContrastThemes[0].colors;
    faint.grayText = 0x202020;  // next to black: not seen
    const ViewPalette palette = HighContrastPalette(faint);
    EXPECT_EQ(palette.colors[kMissingLinkColor], faint.windowText);
    EXPECT_EQ(palette.colors[kMarkColor], faint.windowText);
}

}  // namespace
}  // namespace pathbook
