// Random text, random widths and random edits through the view's layout: after
// every edit the incrementally kept rows must equal a fresh layout, the row
// table must keep its invariants, and positions must convert and paint without
// leaving the text.
//
// Input: byte 0 picks the wrap value, byte 1 the window width, byte 2 the
// widths of a few units; then commands of 3 bytes (kind, where, how much)
// whose text comes from the bytes that follow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/document.h"
#include "document/edit_command.h"
#include "view/canvas.h"
#include "view/layout.h"
#include "view/paint_plan.h"
#include "view/view_pos.h"

namespace {

using namespace pathbook;

void Check(bool condition) {
    if (!condition) std::abort();
}

class ByteMeasurer : public GlyphMeasurer {
public:
    explicit ByteMeasurer(std::uint8_t seed) : seed_(seed) {}
    std::int32_t UnitWidth(char16_t unit) override { return (unit * 7 + seed_) % 23 - 1; }
    std::int32_t PairWidth(char16_t high, char16_t low) override { return (high + low + seed_) % 40; }
    std::int32_t LineHeight() override { return seed_ % 20; }

private:
    std::uint8_t seed_;
};

class NullCanvas : public Canvas {
public:
    void Fill(const PixelRect&, Brush) override {}
    void Text(std::int32_t, std::int32_t, const char16_t* units, const std::int32_t* advances, std::uint32_t count,
              TextFont, ViewColor) override {
        for (std::uint32_t i = 0; i < count; ++i) sum_ += units[i] + advances[i];
    }
    void MarginLine(std::int32_t, std::int32_t, std::int32_t) override {}
    void ControlMark(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void Invert(const PixelRect&) override {}
    void ClipTo(const PixelRect&) override {}
    void ClearClip() override {}

private:
    std::uint64_t sum_ = 0;
};

class Follower : public DocListener {
public:
    explicit Follower(Layout& layout) : layout_(layout) {}
    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool) override { layout_.Update(start, oldEnd, newEnd); }

private:
    Layout& layout_;
};

std::u16string TextFrom(const std::uint8_t* data, std::size_t size) {
    static const char16_t kUnits[] = {u'a', u'\t', u'\n', u'\r', 1, 0xD83D, 0xDE00, u'<', u'>', u'\\', 0x4E00, u' '};
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) text += kUnits[data[i] % (sizeof kUnits / sizeof kUnits[0])];
    return text;
}

void ExpectFresh(const Layout& layout) {
    const RowTable& rows = layout.Rows();
    Check(rows.CheckInvariants());
    Check(rows.LineCount() == layout.Text().LineCount());
    Layout fresh(layout.Text(), layout.Measures());
    fresh.Resize(layout.ClientWidth(), layout.ClientHeight());
    fresh.SetOptions(layout.Options());
    Check(fresh.Rows().TotalRows() == rows.TotalRows());
    Check(fresh.MaxWidth() == layout.MaxWidth());
    for (LineIndex line = 0; line < rows.LineCount(); ++line) {
        Check(fresh.Rows().Width(line) == rows.Width(line));
        Check(fresh.Rows().RowCount(line) == rows.RowCount(line));
        for (UnitCount row = 0; row < rows.RowCount(line); ++row) {
            Check(fresh.Span(line, row).end == layout.Span(line, row).end);
            Check(layout.Span(line, row).start < layout.Span(line, row).end || layout.Text().LineLength(line) == 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    static const std::int32_t kWraps[] = {kNoWrap, kWrapAtWindowEdge, 1, 3, 10};
    Document document;
    document.SetKeywordDefinition(u"0110\n[\n]\n#\n");
    ByteMeasurer measurer(data[2]);
    Metrics metrics(measurer, data[2] % 5);
    Layout layout(document, metrics);
    Follower follower(layout);
    document.AddListener(&follower);
    layout.Resize(data[1], 50);
    layout.Configure(metrics, LayoutOptions{kWraps[data[0] % 5], (data[0] & 0x80) != 0});
    std::size_t i = 3;
    while (i + 3 <= size) {
        const std::uint8_t kind = data[i];
        const std::uint8_t where = data[i + 1];
        const std::size_t count = std::min<std::size_t>(data[i + 2] % 16, size - i - 3);
        i += 3;
        const LineIndex line = where % document.LineCount();
        const DocPos at = DocPos::At(line, where % (document.LineLength(line) + 1));
        switch (kind % 5) {
            case 0: {
                InsertCommand insert(at, TextFrom(data + i, count));
                document.Execute(insert);
                i += count;
                break;
            }
            case 1: {
                DeleteCommand erase(at, DocPos::At(line + count % 3, count));
                document.Execute(erase);
                break;
            }
            case 2: document.Undo(); break;
            case 3: layout.Resize(kind, where); break;
            default: {
                ViewPos pos = DocToView(layout, at);
                Check(pos.pos.line < document.LineCount() && pos.pos.column <= document.LineLength(pos.pos.line));
                ViewPos moved = MoveRows(layout, pos, static_cast<std::int8_t>(where));
                Check(moved.absRow < layout.Rows().TotalRows());
                HitTest hit = PointToView(layout, Viewport{moved.absRow, 0}, where - 100, kind - 128, (kind & 8) != 0);
                Check(hit.pos.pos.line < document.LineCount());
                NullCanvas canvas;
                PaintRequest request;
                request.update = PixelRect{0, 0, where, kind};
                request.viewport.topRow = moved.absRow;
                request.showEndMark = true;
                request.showTabMarks = true;
                request.selectionFrom = at;
                request.selectionTo = moved.pos;
                PaintRegion(layout, request, canvas);
            }
        }
        ExpectFresh(layout);
    }
    document.RemoveListener(&follower);
    return 0;
}
