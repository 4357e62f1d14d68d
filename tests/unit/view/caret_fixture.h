// A document, its view core and its input controllers, with a window layer that records
// what the caret asks of it: a fixed font of 8 x 16 pixels, 400 x 160 pixels.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "document/document.h"
#include "document/memory_text.h"
#include "view/edit_input.h"
#include "view/edit_view_core.h"
#include "support/fake_measurer.h"

namespace pathbook::test {

struct RecordingCaretHost : ViewHost, CaretHost {
    void Invalidate(const PixelRect& rect) override { rects.push_back(rect); }
    void ScrollBarsChanged() override {}
    void ScrollTo(Viewport viewport) override { core->ScrollTo(viewport); }
    void PlaceSystemCaret(std::int32_t x, std::int32_t y) override { placed = {x, y}; }
    void CaretShapeChanged() override { ++shapeChanges; }
    void ShowStatus(const std::u16string& text) override { statuses.push_back(text); }
    void StartLinkResolution(const LinkRequest& request) override { requests.push_back(request); }
    void CursorChanged() override { ++cursorChanges; }
    std::vector<PixelRect> Take() { return std::exchange(rects, {}); }

    EditViewCore* core = nullptr;
    std::vector<PixelRect> rects;
    std::pair<std::int32_t, std::int32_t> placed;
    int shapeChanges = 0;
    int cursorChanges = 0;
    std::vector<std::u16string> statuses;
    std::vector<LinkRequest> requests;
};

struct RecordingEvents : CaretEvents {
    void OnOpenLink(const std::u16string& basePath, const std::u16string& linkText) override {
        opened.push_back(basePath + u"|" + linkText);
    }
    std::vector<std::u16string> opened;
};

// `count` lines of "line", each with its break.
inline std::u16string ShortLines(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i) text += u"line\n";
    return text;
}

struct CaretFixture {
    explicit CaretFixture(const std::u16string& text, LayoutOptions options = {})
        : metrics(measurer, 4), core(document, metrics, host), input(document, core, host) {
        host.core = &core;
        document.SetKeywordDefinition(kStandardDefinition);
        InsertAt(document, DocPos::At(0, 0), text);
        core.Resize(400, 160);
        core.SetOptions(options);
        input.selection.Relayout();
        input.selection.SetCaret(DocPos::At(0, 0), false);
        input.selection.SetEvents(&events);
    }
    std::u16string Line(LineIndex line) const {
        return std::u16string(document.LineText(line), document.LineLength(line));
    }
    std::u16string Text() const { return document.CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText)); }
    DocPos At() const { return input.selection.Position().pos; }
    DocPos AnchorAt() const { return input.selection.Anchor().pos; }
    // "line:column" of the caret, after "anchor>" when the selection is not empty.
    std::string Selected() const {
        auto text = [](DocPos pos) { return std::to_string(pos.line) + ":" + std::to_string(pos.column); };
        return (input.selection.Empty() ? "" : text(AnchorAt()) + ">") + text(At());
    }
    void Select(DocPos anchor, DocPos caret) {
        input.selection.SetCaret(anchor, false);
        input.selection.SetCaret(caret, true);
    }
    void Press(EditKey key, bool shift = false, bool ctrl = false) { input.keys.Key(key, shift, ctrl); }
    void Type(std::u16string_view text) {
        for (char16_t unit : text) input.keys.Char(unit);
    }

    Document document;
    FakeMeasurer measurer;
    Metrics metrics;
    RecordingCaretHost host;
    EditViewCore core;
    EditInput input;
    RecordingEvents events;
};

}  // namespace pathbook::test
