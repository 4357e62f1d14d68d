// Which pairs of neighbouring units a note's text holds, each pair hashed to
// one of 4,096 bits (512 bytes a note). A text that holds a plain pattern
// holds every pair of the pattern, so a note whose bits lack one of them
// cannot hold it and need not be read: a search of a rare word reads a few
// notes out of thousands. Letters are folded as ignore-case folds them
// (ASCII only), so one set of bits serves both kinds of search.
// Tested by tests/unit/notebook/note_search_test.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace pathbook {

class NoteGrams {
public:
    static constexpr std::size_t kWords = 64;
    using Words = std::array<std::uint64_t, kWords>;

    // Every pair may be there: a note whose pairs were never taken is always read.
    NoteGrams() { words_.fill(~std::uint64_t{0}); }
    explicit NoteGrams(const Words& words) : words_(words) {}

    // The pairs of `units`.
    static NoteGrams Of(std::u16string_view units);

    const Words& AsWords() const { return words_; }

private:
    Words words_;
};

// The pairs a plain pattern needs: MayHold is false only for a note that lacks one.
class GramQuery {
public:
    // A pattern of fewer than two units needs nothing.
    explicit GramQuery(std::u16string_view pattern);
    bool MayHold(const NoteGrams& grams) const;

private:
    std::vector<std::pair<std::uint32_t, std::uint64_t>> bits_;  // (word, bits that must be set in it)
};

}  // namespace pathbook
