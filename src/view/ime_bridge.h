// What the input method asks of the view: the text to reconvert (the
// selection, or the word at the caret, within one line), the document around
// the caret for its predictions, and where a unit of the text being converted
// stands on the screen. The blocks are those of ime_blocks.h. Tested by
// ime_blocks_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "document/document.h"
#include "view/selection.h"

namespace pathbook {

class ImeBridge {
public:
    ImeBridge(Document& document, Selection& selection) : document_(document), selection_(selection) {}

    // The reconversion block of the selection (or, when empty, the word at the
    // caret) within one line; empty when there is nothing to reconvert.
    std::vector<std::uint8_t> ReconversionBlock() const;
    // Once the block was filled: selects that text with the caret at its
    // start, which the input method's result then replaces.
    void StartReconversion();
    // The caret's line around the caret (at most a few hundred units each
    // side), with an empty composition at the caret.
    std::vector<std::uint8_t> DocumentFeedBlock() const;
    // Where the `index`th unit of the text being converted stands: client
    // point of its top left and the row height.
    struct CharPlace {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t lineHeight = 0;
    };
    CharPlace CharPosition(std::uint32_t index) const;

private:
    struct Range {
        DocPos from;
        DocPos to;
    };
    Range ReconversionRange() const;

    Document& document_;
    Selection& selection_;
};

}  // namespace pathbook
