// Arbitrary keyword definitions (switches, delimiters, keywords) configuring
// a document: every line of a fixed sample and of the definition itself is
// classified without fault, and the document keeps its invariants.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/document.h"
#include "document/edit_command.h"
#include "document/keyword_definition.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr char16_t kSample[] =
    u"while (x) { /* comment */ y = \"s\\\"t\"; } // end\n"
    u"<C:\\notes\\a.txt> [block] # line <http://h/> <<nested>>\n"
    u"\\\\escaped ;; , <> <\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string definition;
    for (std::size_t i = 0; i + 1 < size; i += 2) definition.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    Check(pathbook::ParseKeywordDefinition(definition) != nullptr);
    pathbook::Document document;
    document.SetKeywordDefinition(definition);
    std::u16string text(kSample);
    text += definition;
    pathbook::InsertCommand insert(pathbook::DocPos::At(0, 0), text);
    document.Execute(insert);
    for (pathbook::LineIndex line = 0; line < document.LineCount(); ++line) document.LineTokens(line);
    Check(document.CheckInvariants());
    return 0;
}
