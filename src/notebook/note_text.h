// The text of one note as the editor holds it: its lines in order, each
// followed by U+000A in one block of units. No line holds a CR or LF, so a
// search for a text without either finds, in the block, exactly the matches
// that lie within lines. Offsets are 32-bit: a note is at most kMaxNoteBytes
// (note_tree.h), and no decoder makes more than two units of a byte. The
// units are the text's own, or borrowed from a block that many texts share
// (the texts read from an index cache) and that the text keeps alive.
// Tested by tests/unit/notebook/note_reader_test.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/doc_pos.h"

namespace pathbook {

class NoteText {
public:
    // One empty line, as an empty document has.
    NoteText() : units_(1, kLineEnd), starts_{0} {}

    // Always at least one.
    LineIndex LineCount() const { return static_cast<LineIndex>(starts_.size()); }
    // The line's units without the U+000A; an empty view past the last line.
    std::u16string_view Line(LineIndex line) const;
    // Every line, each followed by U+000A.
    std::u16string_view Units() const { return keeper_ ? borrowed_ : std::u16string_view(units_); }
    // Where `line` starts in Units() (clamped to the last line).
    std::uint32_t LineStart(LineIndex line) const { return starts_[line < LineCount() ? line : LineCount() - 1]; }
    // The line that holds Units()[offset]; the last line past the end.
    LineIndex LineAt(std::uint32_t offset) const;
    // Bytes held, borrowed units included, for the index's memory figure.
    std::size_t HeldBytes() const { return Units().size() * sizeof(char16_t) + starts_.capacity() * 4; }

    // Takes `units` as the whole text (every line followed by U+000A, as
    // Units() gives it). False, with the text left alone, when `units` does
    // not end with U+000A or has more units than 32-bit offsets reach.
    bool Assign(std::u16string units);
    // The same with units that `keeper` holds; they must not change while it lives.
    bool Borrow(std::u16string_view units, std::shared_ptr<const void> keeper);
    // The same with the lines' starts given (as LineStart gives them). False
    // unless they rise from 0 and each follows a U+000A; the lines are not
    // searched for other U+000A units (the caller vouches for them).
    bool Borrow(std::u16string_view units, std::shared_ptr<const void> keeper, std::vector<std::uint32_t> starts);

    // Building, on a text of its own: lines are appended in order after the
    // first, which starts out empty.
    // Appends units to the last line.
    void AppendToLine(const char16_t* units, std::size_t count);
    // Ends the last line and starts an empty one.
    void BreakLine();
    // Gives back spare room once the text is complete.
    void Shrink();

    static constexpr char16_t kLineEnd = u'\n';

private:
    // Line starts for a whole text; false when it does not end with U+000A.
    bool FindLines(std::u16string_view units);

    // Invariant: Units() ends with kLineEnd.
    std::u16string units_;               // the text's own units, unless keeper_ is set
    std::u16string_view borrowed_;       // the units keeper_ holds
    std::shared_ptr<const void> keeper_;
    std::vector<std::uint32_t> starts_;  // invariant: starts_[0] == 0, strictly rising, all < Units().size()
};

}  // namespace pathbook
