// Hands the current settings and document type to an editor: the document and
// the view are reached through these narrow interfaces, so the order of the
// steps is kept (and tested) without a window.
#pragma once

#include <cstdint>

#include "config/doc_type.h"

namespace pathbook {

class EditorDocumentSettings {
public:
    virtual ~EditorDocumentSettings() = default;
    virtual void SetUndoLimit(std::int32_t limit) = 0;  // -1 = unlimited
    virtual void SetKeywordText(const char16_t* definition) = 0;
};

class EditorViewSettings {
public:
    virtual ~EditorViewSettings() = default;
    // The view rebuilds its fonts, pen and brushes and lays the text out once,
    // with the new wrap value and line-number switch.
    virtual void Apply(const ViewSettings& appearance, std::int32_t wrap, bool lineNumbers) = 0;
    // The wrap commands: the lines are broken again at the new wrap value, not measured.
    virtual void SetWrap(std::int32_t wrap) = 0;
};

// In order: undo limit, the view's settings (one layout), keyword text. Call
// it once the document holds the text to be shown (or has been cleared), so
// that the one layout is not spent on the old text.
// Returns the wrap value given to the view, which the window keeps as its own.
std::int32_t ApplyToEditor(std::int32_t undoLimit, const DocType& type, EditorDocumentSettings& document,
                           EditorViewSettings& view);

// The wrap value of the wrap commands: none, the type's width, or the window's edge.
enum class WrapCommand { kNoWrap, kFixedWidth, kWindowEdge };
std::int32_t WrapValueFor(WrapCommand command, const DocType& type);

}  // namespace pathbook
