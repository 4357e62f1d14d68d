// The text of one note as the editor holds it: its lines in order, each
// followed by U+000A in one block of units. No line holds a CR or LF, so a
// search for a text without either finds, in the block, exactly the matches
// that lie within lines. Offsets are 32-bit: a note is at most kMaxNoteBytes
// (note_tree.h), and no decoder makes more than two units of a byte. The
// units are the text's own, or borrowed from a block that many texts share
// (the texts read from an index cache) and that the text keeps alive.
// Borrowed units can be left unchecked until something first reads them, so
// that a cache of thousands of notes is opened without reading every text.
// Tested by tests/unit/notebook/note_reader_test.cpp.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
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
    LineIndex LineCount() const { return Intact() ? static_cast<LineIndex>(starts_.size()) : 1; }
    // The line's units without the U+000A; an empty view past the last line.
    std::u16string_view Line(LineIndex line) const;
    // Every line, each followed by U+000A.
    std::u16string_view Units() const { return Intact() ? Held() : std::u16string_view(&kLineEnd, 1); }
    // Where `line` starts in Units() (clamped to the last line).
    std::uint32_t LineStart(LineIndex line) const { return Intact() ? starts_[std::min(line, LineCount() - 1)] : 0; }
    // The line that holds Units()[offset]; the last line past the end.
    LineIndex LineAt(std::uint32_t offset) const;
    // Bytes held, borrowed units included, for the index's memory figure.
    std::size_t HeldBytes() const { return Held().size() * sizeof(char16_t) + starts_.capacity() * 4; }
    // False for borrowed units that failed their check: the text then reads
    // as one empty line. The check runs here, once, on the first thread to ask.
    bool Intact() const { return pending_ == nullptr || pending_->state.load(std::memory_order_acquire) == kPassed || Check(); }

    // Takes `units` as the whole text (every line followed by U+000A, as
    // Units() gives it). False, with the text left alone, when `units` does
    // not end with U+000A or has more units than 32-bit offsets reach.
    bool Assign(std::u16string units);
    // The same with units that `keeper` holds; they must not change while it lives.
    bool Borrow(std::u16string_view units, std::shared_ptr<const void> keeper);
    // The same with the lines' starts given (as LineStart gives them), and
    // the units left unread until Intact() checks them: they pass when they end
    // with U+000A, each start but the first follows one, and `check` (may be
    // empty) accepts them. False unless the starts rise from 0 within the
    // units. The lines are not searched for other U+000A units (the caller
    // vouches for them).
    using UnitsCheck = std::function<bool(std::u16string_view units)>;
    bool Borrow(std::u16string_view units, std::shared_ptr<const void> keeper, std::vector<std::uint32_t> starts,
                UnitsCheck check);

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
    enum : std::uint8_t { kUnchecked, kPassed, kFailed };
    // A check not yet run; two threads that ask at once may both run it, to the same end.
    struct Pending {
        UnitsCheck check;
        std::atomic<std::uint8_t> state{kUnchecked};
    };

    std::u16string_view Held() const { return keeper_ ? borrowed_ : std::u16string_view(units_); }
    bool Check() const;
    // Line starts for a whole text; false when it does not end with U+000A.
    bool FindLines(std::u16string_view units);

    // Invariant: Units() ends with kLineEnd.
    std::u16string units_;               // the text's own units, unless keeper_ is set
    std::u16string_view borrowed_;       // the units keeper_ holds
    std::shared_ptr<const void> keeper_;
    std::vector<std::uint32_t> starts_;  // invariant: starts_[0] == 0, strictly rising, all < Held().size()
    std::shared_ptr<Pending> pending_;   // null: the units are known to be whole
};

}  // namespace pathbook
