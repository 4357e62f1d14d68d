#include "textfile/code_page_characters.h"

#include <vector>

#include "textfile/decoding_tables.h"

namespace pathbook {

CodePageCharacters& CodePageCharacters::Of(platform::CodePage codePage) {
    // A handful of code pages at most: those of the files opened. Each thread
    // that decodes learns its own (the notebook reads notes on several).
    std::vector<std::unique_ptr<CodePageCharacters>>& tables = ThreadDecodingTables().codePages;
    for (const auto& table : tables) {
        if (table->codePage_ == codePage) return *table;
    }
    tables.push_back(std::unique_ptr<CodePageCharacters>(new CodePageCharacters(codePage)));
    return *tables.back();
}

CodePageCharacters::CodePageCharacters(platform::CodePage codePage) : codePage_(codePage) {
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        const std::uint8_t probe[2] = {static_cast<std::uint8_t>(byte), 'A'};
        leads_[byte] = platform::NextCharacter(codePage, probe, probe + 2) == probe + 2;
    }
}

const CodePageCharacters::Conversion& CodePageCharacters::LearnPair(std::uint8_t lead, std::uint8_t trail) {
    std::unique_ptr<Conversion[]>& row = pairRows_[lead];
    if (!row) row.reset(new Conversion[256]());
    const std::uint8_t bytes[2] = {lead, trail};
    Convert(bytes, 2, row[trail]);
    return row[trail];
}

const CodePageCharacters::Conversion& CodePageCharacters::LearnSingle(std::uint8_t byte) {
    Convert(&byte, 1, singles_[byte]);
    return singles_[byte];
}

void CodePageCharacters::Convert(const std::uint8_t* bytes, std::uint32_t count, Conversion& into) const {
    char16_t units[8];
    bool replaced = false;
    std::size_t converted = platform::DecodeCodePage(codePage_, bytes, count, units, 8, &replaced);
    into.replaced = replaced || converted == 0;
    into.count = static_cast<std::uint8_t>(converted < 2 ? converted : 2);
    for (std::uint32_t i = 0; i < into.count; ++i) into.units[i] = units[i];
    into.known = true;
}

}  // namespace pathbook
