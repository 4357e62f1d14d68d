// The view's layout: the line-number margin, the wrap width and the rows of
// every line, kept in step with the document's changes. Tested by
// layout_test.cpp and layout_random_test.cpp.
//
// Wrap value (config/doc_type.h): kNoWrap (-1) none, kWrapAtWindowEdge (0) at
// the window's right edge, N > 0 after N widths of "x".
#pragma once

#include <cstdint>

#include "config/doc_type.h"
#include "document/document.h"
#include "view/line_measure.h"
#include "view/metrics.h"
#include "view/row_table.h"

namespace pathbook {

// How several settings are applied at once (one re-layout).
struct LayoutOptions {
    std::int32_t wrap = kNoWrap;
    bool lineNumbers = false;
};

// What an edit did to the layout beyond the edited lines.
struct LayoutEdit {
    bool lineCountChanged = false;
    bool marginChanged = false;  // the whole window moves (rows broken again when wrapping at its edge)
};

class Layout {
public:
    // Lays out every line of `document` for a window of 0 x 0 pixels.
    Layout(const Document& document, const Metrics& metrics);

    // Settings. Each lays out once: a new Metrics measures every line again;
    // a new wrap width only breaks the lines again.
    void Configure(const Metrics& metrics, LayoutOptions options);
    void SetOptions(LayoutOptions options);
    // The client size in pixels (negative counts as 0). A window 0 pixels wide
    // (not sized yet, or minimised) does not wrap at its edge. True when the
    // lines were broken again (wrapping at the edge of a window whose text
    // width changed); the rows stay as they were otherwise.
    bool Resize(std::int32_t width, std::int32_t height);
    // Follows a change of the document: the text from `start` to `oldEnd`
    // (positions before it) now ends at `newEnd`.
    LayoutEdit Update(DocPos start, DocPos oldEnd, DocPos newEnd);

    const Document& Text() const { return document_; }
    const Metrics& Measures() const { return *metrics_; }
    const RowTable& Rows() const { return rows_; }
    LayoutOptions Options() const { return options_; }
    std::int32_t ClientWidth() const { return clientWidth_; }
    std::int32_t ClientHeight() const { return clientHeight_; }
    // x where the text area starts: the margin's width, 0 without margin.
    std::int32_t TextLeft() const { return textLeft_; }
    // Digits reserved for line numbers: those of the line count, 3 to 10.
    std::int32_t Digits() const { return digits_; }
    // kNoWrapWidth when not wrapping; otherwise at least 1.
    Pixels WrapWidth() const { return wrapWidth_; }
    // The widest line when not wrapping, else the wrap width: the horizontal extent.
    Pixels MaxWidth() const { return wrapWidth_ == kNoWrapWidth ? widest_ : wrapWidth_; }

    // The units of one row of `line`.
    struct RowSpan {
        UnitCount start;
        UnitCount end;
    };
    RowSpan Span(LineIndex line, UnitCount row) const;

private:
    // Recomputes digits, margin and wrap width; breaks every line again when
    // the wrap width changed. True when the margin or the wrap width changed.
    bool UpdateGeometry();
    // Digits, margin and wrap width from the settings and the client size.
    void ApplyGeometry();
    void Rebuild(bool remeasure);
    // Rows of `line` whose width is known, breaking after the first `keepRows`
    // rows already in `rows`.
    void BuildLine(LineIndex line, Pixels width, UnitCount keepRows, LineRows& rows) const;
    // Width and rows of `line` in one pass.
    void MeasureLine(LineIndex line, LineRows& rows) const;

    const Document& document_;
    const Metrics* metrics_;  // never null; owned by the window layer
    RowTable rows_;           // invariant: one entry per document line
    LayoutOptions options_;
    std::int32_t clientWidth_ = 0;
    std::int32_t clientHeight_ = 0;
    std::int32_t textLeft_ = 0;
    std::int32_t digits_ = 3;
    Pixels wrapWidth_ = kNoWrapWidth;
    Pixels widest_ = 0;  // the widest line's width
};

}  // namespace pathbook
