#include "config/apply_to_editor.h"

namespace pathbook {

std::int32_t ApplyToEditor(std::int32_t undoLimit, const DocType& type, EditorDocumentSettings& document,
                           EditorViewSettings& view) {
    document.SetUndoLimit(undoLimit);
    const std::int32_t wrap = type.InitialWrap();
    view.Apply(type.appearance, wrap, type.lineNumbers != 0);
    document.SetKeywordText(kDefaultKeywordText);
    return wrap;
}

std::int32_t WrapValueFor(WrapCommand command, const DocType& type) {
    switch (command) {
        case WrapCommand::kNoWrap: return kNoWrap;
        case WrapCommand::kFixedWidth: return type.wrapWidth;
        case WrapCommand::kWindowEdge: return kWrapAtWindowEdge;
    }
    return kNoWrap;
}

}  // namespace pathbook
