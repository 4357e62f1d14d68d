#include "notebook/note_filter.h"

#include "platform/ordinal_compare.h"

namespace pathbook {
namespace {

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& unit : folded) unit = platform::OrdinalUpper(unit);
    return folded;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

// "*" and "?" against a folded name. On a mismatch the last "*" takes one unit
// more, so the cost is at most the product of the two lengths; nothing recurses.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::u16string_view::npos;  // the pattern position after the last "*"
    std::size_t starName = 0;                        // the name position that "*" reached
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = ++p;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace

NoteFilter::NoteFilter(std::u16string_view patterns) : text_(patterns) {
    while (!patterns.empty()) {
        std::size_t end = patterns.find(u';');
        std::u16string_view pattern = Trimmed(patterns.substr(0, end));
        if (!pattern.empty()) patterns_.push_back(Folded(pattern));
        patterns = end == std::u16string_view::npos ? std::u16string_view() : patterns.substr(end + 1);
    }
}

bool NoteFilter::Matches(std::u16string_view fileName) const {
    const std::u16string name = Folded(fileName);
    const bool hasExtension = name.find(u'.') != std::u16string::npos;
    for (const std::u16string& pattern : patterns_) {
        if (WildcardMatch(pattern, name)) return true;
        const bool anyExtension = pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, u".*") == 0;
        if (anyExtension && !hasExtension && WildcardMatch(std::u16string_view(pattern).substr(0, pattern.size() - 2), name)) {
            return true;
        }
    }
    return false;
}

}  // namespace pathbook
