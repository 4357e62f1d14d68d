// The paint plan, recorded: runs, fonts, colours, fills and marks.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <sstream>
#include <string>

#include "document/attributes.h"
#include "view/paint_plan.h"
#include "view_fixture.h"

namespace pathbook {
namespace {

using test::ViewFixture;

std::string Narrow(const char16_t* units, std::uint32_t count) {
    std::string out;
    for (std::uint32_t i = 0; i < count; ++i) out += units[i] < 0x80 ? static_cast<char>(units[i]) : '?';
    return out;
}

// Names for the recorded calls, in the order of the enumerations.
const std::array<const char*, 3> kFontNames = {"normal", "link", "missing"};
const std::array<const char*, 4> kBrushNames = {"bg", "yellow", "blue", "crimson"};

// Records every call as one line of text.
class RecordingCanvas : public Canvas {
public:
    void Fill(const PixelRect& r, Brush brush) override {
        const char* name = kBrushNames.at(static_cast<std::size_t>(brush));
        Record("fill ", name, ' ', r.left, ',', r.top, '-', r.right, ',', r.bottom);
    }
    void Text(std::int32_t x, std::int32_t top, const char16_t* units, const std::int32_t* advances,
              std::uint32_t count, TextFont font, ViewColor color) override {
        std::string dx;
        for (std::uint32_t i = 0; i < count; ++i) dx += ' ' + std::to_string(advances[i]);
        Record("text ", x, ',', top, " \"", Narrow(units, count), "\" ", kFontNames.at(static_cast<std::size_t>(font)),
               " c", color, " dx", dx);
    }
    void MarginLine(std::int32_t x, std::int32_t top, std::int32_t bottom) override {
        Record("line ", x, ',', top, '-', bottom);
    }
    void ControlMark(std::int32_t x, std::int32_t top, std::int32_t width, std::int32_t height) override {
        Record("mark ", x, ',', top, ' ', width, 'x', height);
    }
    void Invert(const PixelRect& r) override { Record("invert ", r.left, ',', r.top, '-', r.right, ',', r.bottom); }
    void ClipTo(const PixelRect& r) override { Record("clip ", r.left, '-', r.right); }
    void ClearClip() override { calls.push_back("unclip"); }

    // Only the calls that start with one of `kinds`.
    std::vector<std::string> Starting(std::initializer_list<const char*> kinds) const {
        std::vector<std::string> found;
        for (const std::string& call : calls) {
            for (const char* kind : kinds) if (call.rfind(kind, 0) == 0) found.push_back(call);
        }
        return found;
    }
    // Only the calls that draw text or marks.
    std::vector<std::string> Texts() const { return Starting({"text", "mark"}); }
    bool Has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }

    // Writes the parts of one call as one line.
    template <typename... Parts>
    void Record(const Parts&... parts) {
        std::ostringstream out;
        (out << ... << parts);
        calls.push_back(out.str());
    }

    std::vector<std::string> calls;
};

PaintRequest Whole(std::int32_t width = 400, std::int32_t height = 64) {
    PaintRequest request;
    request.update = PixelRect{0, 0, width, height};
    return request;
}

RecordingCanvas Paint(const Layout& layout, const PaintRequest& request) {
    RecordingCanvas canvas;
    PaintRegion(layout, request, canvas);
    return canvas;
}

TEST(PaintPlanTest, LinksHighlightsTabsAndControlUnits) {
    // "[" ... "]" is a block comment and "#" a line comment in the editor's definition.
    ViewFixture view(u"a<C:\\d\\f.txt> [n]\t\x01z #c");
    view.document.SetKeywordDefinition(test::kStandardDefinition);
    view.document.SetMissingPart(0, 4, 12, true);
    view.document.SetMissingPart(0, 4, 6, false);
    PaintRequest request = Whole();
    request.showTabMarks = true;
    const RecordingCanvas canvas = Paint(view.layout, request);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{
                                  "text 0,0 \"a\" normal c0 dx 8",
                                  "text 8,0 \"<C:\\d\" link c5 dx 8 8 8 8 8",
                                  "text 48,0 \"\\\" missing c3 dx 8",
                                  "text 56,0 \"f.txt\" missing c3 dx 8 8 8 8 8",
                                  "text 96,0 \">\" link c5 dx 8",
                                  "text 104,0 \" \" normal c0 dx 8",
                                  "text 112,0 \"[n]\" normal c1 dx 8 8 8",
                                  "text 136,0 \">\" normal c4 dx 8",
                                  "mark 160,0 8x16",
                                  "text 168,0 \"z \" normal c0 dx 8 8",
                                  "text 184,0 \"#c\" normal c0 dx 8 8",
                              }));
}

TEST(PaintPlanTest, FileNamePartIsOnYellowInTheLinkFontAndHighlightsOnTheirBrushes) {
    ViewFixture view(u"<C:\\d\\f.txt>");
    view.document.SetKeywordDefinition(test::kStandardDefinition);
    const RecordingCanvas canvas = Paint(view.layout, Whole());
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{
                                  "text 0,0 \"<C:\\d\\\" link c5 dx 8 8 8 8 8 8",
                                  "text 48,0 \"f.txt\" link c5 dx 8 8 8 8 8",
                                  "text 88,0 \">\" link c5 dx 8",
                              }));
    EXPECT_TRUE(canvas.Has("fill yellow 48,0-88,16"));
    // Highlight values pick their brushes.
    view.Insert(DocPos::At(0, 0), u"x [note] y #z\n");
    const RecordingCanvas highlights = Paint(view.layout, Whole());
    EXPECT_TRUE(highlights.Has("fill crimson 16,0-64,16"));
    EXPECT_TRUE(highlights.Has("fill blue 88,0-104,16"));
}

TEST(PaintPlanTest, MarginNumbersAndTheEndMark) {
    ViewFixture view(u"a\n" + std::u16string(25, u'b') + u"\nc");
    view.layout.Resize(200, 100);
    view.layout.SetOptions(LayoutOptions{10, true});
    PaintRequest request = Whole(200, 100);
    request.showEndMark = true;
    const RecordingCanvas canvas = Paint(view.layout, request);
    ASSERT_GE(canvas.calls.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(canvas.calls.begin(), canvas.calls.begin() + 6),
              (std::vector<std::string>{"fill bg 0,0-32,100", "line 28,0-80", "text 16,0 \"1\" normal c5 dx 8",
                                        "text 16,16 \"2\" normal c5 dx 8", "text 16,64 \"3\" normal c5 dx 8",
                                        "clip 32-200"}));
    EXPECT_EQ(canvas.Texts().back(), "text 40,64 \"[EOF]\" normal c4 dx 8 8 8 8 8");
    EXPECT_EQ(canvas.calls.back(), "unclip");
    EXPECT_EQ(canvas.calls[canvas.calls.size() - 2], "fill bg 32,80-200,100");
}

TEST(PaintPlanTest, PaintingStartsAtTheRowThatHoldsTheUpdateTop) {
    ViewFixture view(std::u16string(100000, u'q'));
    view.layout.SetOptions(LayoutOptions{10, false});
    PaintRequest request;
    request.viewport.topRow = 5000;
    request.update = PixelRect{0, 32, 80, 48};
    const RecordingCanvas canvas = Paint(view.layout, request);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"text 0,32 \"qqqqqqqqqq\" normal c0 dx 8 8 8 8 8 8 8 8 8 8"}));
}

TEST(PaintPlanTest, OnlyTheUnitsInsideTheUpdateAreDrawn) {
    ViewFixture view(u"abcdefghij");
    PaintRequest request;
    request.viewport.left = 4;
    request.update = PixelRect{20, 0, 36, 16};
    const RecordingCanvas canvas = Paint(view.layout, request);
    // Client x of unit i is 8 i - 4: "c" ends where the update starts, "f" starts where it ends.
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"text 20,0 \"de\" normal c0 dx 8 8"}));
}

TEST(PaintPlanTest, SelectionInvertsTheTextOfEachRowOnly) {
    ViewFixture view(u"abc\n\nabcdef");
    PaintRequest request = Whole(200, 48);
    request.selectionFrom = DocPos::At(2, 2);
    request.selectionTo = DocPos::At(0, 1);
    const RecordingCanvas canvas = Paint(view.layout, request);
    EXPECT_EQ(canvas.Starting({"invert"}), (std::vector<std::string>{"invert 8,0-24,15", "invert 0,32-16,47"}));
}

}  // namespace
}  // namespace pathbook
