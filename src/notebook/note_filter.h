// Which files of a folder tree are notes: the patterns of the TxtFilter
// setting ("*.txt;*.md"), matched against a file's name as the open dialog's
// filter matches it: ";" separates patterns (spaces around one are dropped),
// "*" stands for any run of units and "?" for one, letters compare as the
// system compares file names, and a pattern ending in ".*" also matches a
// name without an extension ("*.*" matches every name).
// Tested by tests/unit/notebook/note_filter_test.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pathbook {

class NoteFilter {
public:
    // Empty patterns are left out; a filter without any matches nothing.
    explicit NoteFilter(std::u16string_view patterns);

    bool Matches(std::u16string_view fileName) const;
    // The text it was made from.
    const std::u16string& Text() const { return text_; }

private:
    std::u16string text_;
    std::vector<std::u16string> patterns_;  // folded to upper case
};

}  // namespace pathbook
