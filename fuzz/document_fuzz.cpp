// Arbitrary UTF-16 through the tokenizer, the link recogniser and a few edits
// and undos. The first byte picks a keyword definition and the edit positions;
// the rest is the text (little-endian units). The fast path for lines without
// keywords or delimiters must give the words of the general path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/document.h"
#include "document/link_recognition.h"

namespace {

constexpr const char16_t* kDefinitions[] = {
    u"0110\n[\n]\n#\n",
    u"1111\n/*\n*/\n//\nwhile\nfor\n",
    u"",
    u"0111\n<<\n>>\n\\\\\n",
};

void Check(bool condition) {
    if (!condition) std::abort();
}

void RecogniseEverySuffix(const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t count = static_cast<std::uint32_t>(text.size() - i);
        Check(pathbook::MatchLink(text.data() + i, count) <= count);
        pathbook::ClassifyLink(text.data() + i, count);
    }
    std::u16string terminated = text;
    terminated.push_back(0);
    pathbook::ClassifyLink(terminated.data());
}

void TouchEveryLine(const pathbook::Document& document) {
    for (pathbook::LineIndex line = 0; line < document.LineCount(); ++line) {
        document.LineTokens(line);
        pathbook::DocPos pos{0, line};
        for (pathbook::Column column = 0; column <= document.LineLength(line); ++column) {
            pos.column = column;
            document.RightOf(pos, true);
            document.LeftOf(pos, true);
            document.LinkPartEndOf(pos);
            document.LinkStartOf(pos);
        }
    }
    pathbook::String link;
    document.FindLinkBefore({pathbook::kEndOfText, pathbook::kEndOfText}, link);
}

// A keyword no run can match sends every line down the general path.
void CompareWithTheGeneralPath(const std::u16string& text) {
    pathbook::Document plain;
    pathbook::Document general;
    general.SetKeywordDefinition(u"0000\n\n\n\nno match\n");
    pathbook::InsertCommand plainInsert({0, 0}, text);
    pathbook::InsertCommand generalInsert({0, 0}, text);
    plain.Execute(plainInsert);
    general.Execute(generalInsert);
    for (pathbook::LineIndex line = 0; line < plain.LineCount(); ++line) {
        const std::size_t bytes = plain.LineLength(line) * sizeof(pathbook::Attribute);
        Check(std::memcmp(plain.LineTokens(line), general.LineTokens(line), bytes) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 4096) return 0;
    std::uint8_t control = data[0];
    std::u16string text;
    for (std::size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    RecogniseEverySuffix(text);
    CompareWithTheGeneralPath(text);

    pathbook::Document document;
    document.SetKeywordDefinition(kDefinitions[control & 3]);
    pathbook::InsertCommand insert({0, 0}, text);
    document.Execute(insert);
    Check(document.CheckInvariants());
    TouchEveryLine(document);

    pathbook::DocPos from{static_cast<pathbook::Column>(control >> 2), static_cast<pathbook::LineIndex>(control & 7)};
    pathbook::ReplaceCommand replace(from, {pathbook::kEndOfText, 1}, text);
    document.Execute(replace);
    std::u16string before = document.CopyRange({0, 0}, {pathbook::kEndOfText, pathbook::kEndOfText});
    Check(document.RangeLength({0, 0}, {pathbook::kEndOfText, pathbook::kEndOfText}) == before.size());
    document.Undo();
    document.Redo();
    Check(document.CopyRange({0, 0}, {pathbook::kEndOfText, pathbook::kEndOfText}) == before);
    Check(document.CheckInvariants());
    TouchEveryLine(document);
    return 0;
}
