#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/apply_to_editor.h"
#include "config/doc_type.h"
#include "config/dpi_scale.h"
#include "config/view_palette.h"

namespace pathbook {
namespace {

// Records the calls an editor receives, in order.
class RecordingEditor : public EditorDocumentSettings, public EditorViewSettings {
public:
    void SetUndoLimit(std::int32_t limit) override { calls.push_back("undo " + std::to_string(limit)); }
    void SetKeywordText(const char16_t* definition) override {
        calls.push_back(std::u16string(definition) == kDefaultKeywordText ? "keywords" : "other keywords");
    }
    void Apply(const ViewSettings& appearance, std::int32_t wrap, bool lineNumbers) override {
        calls.push_back("view " + std::to_string(appearance.pointSize) + " wrap " + std::to_string(wrap) +
                        (lineNumbers ? " numbers on" : " numbers off"));
    }
    void SetWrap(std::int32_t wrap) override { calls.push_back("wrap " + std::to_string(wrap)); }
    std::vector<std::string> calls;
};

TEST(DocTypeTest, ApplyToEditorRunsItsStepsInOrder) {
    RecordingEditor editor;
    DocType type = DefaultDocType(u"(default)");
    EXPECT_EQ(ApplyToEditor(-1, type, editor, editor), -1);
    std::vector<std::string> expected = {"undo -1", "view 14 wrap -1 numbers off", "keywords"};
    EXPECT_EQ(editor.calls, expected);
}

TEST(DocTypeTest, WrapValues) {
    DocType type = DefaultDocType(u"x");
    EXPECT_EQ(WrapValueFor(WrapCommand::kNoWrap, type), -1);
    EXPECT_EQ(WrapValueFor(WrapCommand::kFixedWidth, type), 80);
    EXPECT_EQ(WrapValueFor(WrapCommand::kWindowEdge, type), 0);
    const std::int32_t modes[][2] = {{-1, -1}, {0, 0}, {1, 80}, {72, 80}};
    for (const auto& mode : modes) {
        type.wrapMode = mode[0];
        EXPECT_EQ(type.InitialWrap(), mode[1]);
    }
}

TEST(DocTypeTest, FontHeightRoundsLikeMulDiv) {
    EXPECT_EQ(FontHeightForPoints(14, 96), -19);  // 18.67
    EXPECT_EQ(FontHeightForPoints(9, 96), -12);
    EXPECT_EQ(FontHeightForPoints(10, 72), -10);
    EXPECT_EQ(FontHeightForPoints(3, 12), -1);  // 0.5 rounds away from zero
    EXPECT_EQ(FontHeightForPoints(14, 144), -28);
    EXPECT_EQ(FontHeightForPoints(14, 192), -37);  // 37.33
}

TEST(DpiScaleTest, SizesFollowTheWindowsDpi) {
    struct Case {
        std::int32_t value, dpi, scaled;
    };
    const Case cases[] = {{15, 96, 15}, {15, 144, 23}, {15, 192, 30}, {5, 120, 6}, {-5, 144, -8},
                          {600, 0, 600}, {600, -1, 600}, {0x7FFFFFFF, 192, 0x7FFFFFFF}};
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    }
    EXPECT_EQ(ScaleFromDpi(900, 144), 600);
    EXPECT_EQ(ScaleFromDpi(1200, 192), 600);
    EXPECT_EQ(ScaleFromDpi(601, 0), 601);
}

TEST(DocTypeTest, TheListKeepsItsDefaultHead) {
    DocTypeList list(DefaultDocType(u"(default)"));
    DocType notes = DefaultDocType(u"Notes");
    notes.pattern = u".*\\.md$";
    list.Add(notes);
    list.Select(1);
    EXPECT_EQ(list.Current().name, String(u"Notes"));
    list.Select(7);
    EXPECT_EQ(list.CurrentIndex(), 0u);
    list.Select(1);
    list.CutToDefault();
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Current().name, String(u"(default)"));
}

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
