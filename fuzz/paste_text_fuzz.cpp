// Raw clipboard blocks pasted through the caret, between "<" and ">" and
// elsewhere: the text never runs past the block or its NUL, text pasted into a
// link stays one line without brackets or control characters, and undo brings
// the document back.
//
// Input: byte 0 picks where to paste (into the link or at the line end); the
// rest is the block, two bytes a unit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/edit_command.h"
#include "view/caret.h"
#include "view/clipboard_text.h"
#include "view/edit_view_core.h"
#include "view/metrics.h"

namespace {

using namespace pathbook;

void Check(bool condition) {
    if (!condition) std::abort();
}

struct FixedMeasurer : GlyphMeasurer {
    std::int32_t UnitWidth(char16_t) override { return 8; }
    std::int32_t PairWidth(char16_t, char16_t) override { return 16; }
    std::int32_t LineHeight() override { return 16; }
};

struct SilentHost : ViewHost, CaretHost {
    void Invalidate(const PixelRect&) override {}
    void ScrollBarsChanged() override {}
    void ScrollTo(Viewport viewport) override { core->ScrollTo(viewport); }
    void PlaceSystemCaret(std::int32_t, std::int32_t) override {}
    void CaretShapeChanged() override {}
    void ShowStatus(const std::u16string&) override {}
    void StartLinkResolution(const LinkRequest&) override {}
    void CursorChanged() override {}
    EditViewCore* core = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool intoLink = (data[0] & 1) != 0;
    std::vector<char16_t> block((size - 1) / 2);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<char16_t>(data[1 + 2 * i] | data[2 + 2 * i] << 8);
    }

    Document document;
    FixedMeasurer measurer;
    Metrics metrics(measurer, 4);
    SilentHost host;
    EditViewCore core(document, metrics, host);
    host.core = &core;
    Caret caret(document, core, host);
    core.Resize(200, 100);
    caret.Relayout();
    caret.Char(u'<');
    if (!intoLink) caret.Key(EditKey::kEnd, false, false);
    const std::u16string before = document.CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));

    const std::u16string text = PastedText(block.data(), block.size(), intoLink);
    Check(text.size() <= block.size());
    Check(text.find(u'\0') == std::u16string::npos);
    caret.PasteText(block.data(), block.size());
    if (intoLink) {
        Check(document.LineCount() == 1);
        const std::u16string line(document.LineText(0), document.LineLength(0));
        Check(line.size() == 2 + text.size() && line.front() == u'<' && line.back() == u'>');
        for (std::size_t i = 1; i + 1 < line.size(); ++i) Check(line[i] > 0x1F && line[i] != u'<' && line[i] != u'>');
    }
    Check(document.CheckInvariants());
    if (!text.empty()) document.Undo();
    Check(document.CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText)) == before);
    return 0;
}
