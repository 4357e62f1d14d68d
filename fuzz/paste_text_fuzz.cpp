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
#include "support/fake_measurer.h"
#include "support/null_view_host.h"
#include "view/edit_input.h"
#include "view/clipboard_text.h"
#include "view/edit_view_core.h"
#include "view/metrics.h"

namespace {

using namespace pathbook;

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool intoLink = (data[0] & 1) != 0;
    std::vector<char16_t> block((size - 1) / 2);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<char16_t>(data[1 + 2 * i] | data[2 + 2 * i] << 8);
    }

    Document document;
    test::FakeMeasurer measurer;
    Metrics metrics(measurer, 4);
    test::NullViewHost host;
    EditViewCore core(document, metrics, host);
    host.core = &core;
    EditInput input(document, core, host);
    core.Resize(200, 100);
    input.selection.Relayout();
    input.keys.Char(u'<');
    if (!intoLink) input.keys.Key(EditKey::kEnd, false, false);
    const std::u16string before = document.CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));

    const std::u16string text = PastedText(block.data(), block.size(), intoLink);
    Check(text.size() <= block.size());
    Check(text.find(u'\0') == std::u16string::npos);
    input.keys.PasteText(block.data(), block.size());
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
