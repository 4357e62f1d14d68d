#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/apply_to_editor.h"
#include "config/doc_type.h"
#include "config/dpi_scale.h"

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

TEST(DocTypeTest, TheDefaultTypeHasTheBuiltInLook) {
    DocType type = DefaultDocType(u"(default)");
    EXPECT_EQ(type.name, String(u"(default)"));
    EXPECT_EQ(type.layoutFile, String(u"default.lay"));
    EXPECT_TRUE(type.pattern.Empty());
    EXPECT_TRUE(type.keywordFile.Empty());
    EXPECT_EQ(type.appearance.font.faceName, String(u"FixedSys"));
    EXPECT_EQ(type.appearance.font.charSet, 1);
    EXPECT_EQ(type.appearance.font.pitchAndFamily, 2);
    EXPECT_EQ(type.appearance.pointSize, 14);
    EXPECT_EQ(type.appearance.tabWidth, 4);
    const std::uint32_t colors[] = {0x000000, 0xFFFFFF, 0xE65A00, 0x8C8C8C, 0xF0C8F0, 0xC83200, 0xFFFFFF, 0, 0};
    for (int i = 0; i < kViewColorCount; ++i) EXPECT_EQ(type.appearance.colors[i], colors[i]) << i;
    const std::uint8_t flags[] = {1, 1, 0, 0, 0};
    for (int i = 0; i < kViewFlagCount; ++i) EXPECT_EQ(type.appearance.flags[i], flags[i]) << i;
    EXPECT_EQ(type.wrapMode, -1);
    EXPECT_EQ(type.wrapWidth, 80);
    EXPECT_EQ(type.lineNumbers, 0);
}

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

}  // namespace
}  // namespace pathbook
