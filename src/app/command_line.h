// The process command line split into arguments the way the program has always
// split it: spaces separate, a double quote starts an argument that runs to the
// next double quote, and there are no escapes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pathbook {

class ArgList {
public:
    std::size_t Count() const { return starts_.size(); }
    // NUL-terminated; `index` must be below Count().
    const char16_t* operator[](std::size_t index) const { return text_.c_str() + starts_[index]; }

private:
    friend ArgList SplitCommandLine(const char16_t* text);

    std::u16string text_;              // the command line with each terminator overwritten by NUL
    std::vector<std::size_t> starts_;  // where each argument begins in text_
};

// Splits `text`. Only U+0020 separates (a tab is an ordinary character); after
// a closing quote the next argument starts at once ("a"b gives a and b); ""
// gives one empty argument; a lone quote at the end gives nothing.
ArgList SplitCommandLine(const char16_t* text);

}  // namespace pathbook
