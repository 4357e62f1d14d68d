#include "document/delimiter_set.h"

#include <utility>

namespace pathbook {

DelimiterSet::DelimiterSet(std::u16string blockEnd, std::u16string blockBegin, std::u16string lineComment,
                           bool openAngle, bool closeAngle, bool escape)
    : strings_{std::move(blockEnd), std::move(blockBegin), std::move(lineComment)},
      openAngle_(openAngle),
      closeAngle_(closeAngle),
      escape_(escape) {
    if (openAngle_) MarkFirstUnit(u'<');
    if (closeAngle_) MarkFirstUnit(u'>');
    if (escape_) MarkFirstUnit(u'\\');
    for (const std::u16string& delimiter : strings_) {
        if (!delimiter.empty()) MarkFirstUnit(delimiter[0]);
    }
}

DelimiterMatch DelimiterSet::FindDelimiter(const char16_t* units, UnitCount count) const {
    static constexpr DelimiterKind kStringOrder[] = {kLineComment, kBlockBegin, kBlockEnd};
    for (UnitCount p = 0; p < count; ++p) {
        char16_t unit = units[p];
        if (unit >= 128 || !firstUnits_[unit]) continue;
        for (DelimiterKind kind : kStringOrder) {
            const std::u16string& delimiter = strings_[kind];
            if (!delimiter.empty() && delimiter.size() <= count - p &&
                delimiter.compare(0, delimiter.size(), units + p, delimiter.size()) == 0) {
                return {p, kind, static_cast<UnitCount>(delimiter.size())};
            }
        }
        if (unit == u'<' && openAngle_) return {p, kOpenAngle, 1};
        if (unit == u'>' && closeAngle_) return {p, kCloseAngle, 1};
        if (unit == u'\\' && escape_ && p + 1 < count) ++p;
    }
    return {count, kNoDelimiter, 0};
}

}  // namespace pathbook
