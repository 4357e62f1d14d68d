#include "document/keyword_definition.h"

#include <string>

#include "document/line_splitter.h"

namespace pathbook {
namespace {

constexpr std::size_t kSwitchCount = 4;
enum Switch { kCaseSensitive, kOpenAngleOn, kCloseAngleOn, kEscapeOn };

std::u16string NextLine(LineSplitter& lines) {
    if (lines.Done()) return {};
    bool isLast = false;
    return std::u16string(lines.Next(isLast));
}

}  // namespace

std::unique_ptr<Tokenizer> ParseKeywordDefinition(std::u16string_view text) {
    if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
    LineSplitter lines(text);

    std::u16string switchLine = NextLine(lines);
    bool switches[kSwitchCount] = {};
    for (std::size_t i = 0; i < kSwitchCount && i < switchLine.size(); ++i) switches[i] = switchLine[i] == u'1';
    std::u16string blockBegin = NextLine(lines);
    std::u16string blockEnd = NextLine(lines);
    std::u16string lineComment = NextLine(lines);

    KeywordTable keywords(switches[kCaseSensitive]);
    while (!lines.Done()) {
        bool isLast = false;
        std::u16string_view keyword = lines.Next(isLast);
        keywords.Add(keyword.data(), static_cast<UnitCount>(keyword.size()));
    }
    DelimiterSet delimiters(std::move(blockEnd), std::move(blockBegin), std::move(lineComment),
                            switches[kOpenAngleOn], switches[kCloseAngleOn], switches[kEscapeOn]);
    return std::make_unique<Tokenizer>(std::move(keywords), std::move(delimiters));
}

}  // namespace pathbook
