#include "textfile/code_page_characters.h"

#include <vector>

namespace pathbook {

CodePageCharacters& CodePageCharacters::Of(platform::CodePage codePage) {
    // A handful of code pages at most: those of the files opened. Never freed,
    // so that no thread can outlive the table it reads.
    static std::mutex tablesLock;
    static std::vector<CodePageCharacters*>* tables = new std::vector<CodePageCharacters*>();
    std::lock_guard<std::mutex> hold(tablesLock);
    for (CodePageCharacters* table : *tables) {
        if (table->codePage_ == codePage) return *table;
    }
    tables->push_back(new CodePageCharacters(codePage));
    return *tables->back();
}

CodePageCharacters::CodePageCharacters(platform::CodePage codePage) : codePage_(codePage) {
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        const std::uint8_t probe[2] = {static_cast<std::uint8_t>(byte), 'A'};
        leads_[byte] = platform::NextCharacter(codePage, probe, probe + 2) == probe + 2;
    }
}

const CodePageCharacters::Conversion& CodePageCharacters::LearnPair(std::uint8_t lead, std::uint8_t trail) {
    std::lock_guard<std::mutex> hold(learning_);
    Conversion* row = pairRows_[lead].load(std::memory_order_relaxed);
    if (row == nullptr) {
        row = new Conversion[256]();
        pairRows_[lead].store(row, std::memory_order_release);
    }
    const std::uint8_t bytes[2] = {lead, trail};
    Convert(bytes, 2, row[trail]);
    return row[trail];
}

const CodePageCharacters::Conversion& CodePageCharacters::LearnSingle(std::uint8_t byte) {
    std::lock_guard<std::mutex> hold(learning_);
    Convert(&byte, 1, singles_[byte]);
    return singles_[byte];
}

// Under learning_; another thread may have learnt the character meanwhile.
void CodePageCharacters::Convert(const std::uint8_t* bytes, std::uint32_t count, Conversion& into) const {
    if (into.known.load(std::memory_order_relaxed)) return;
    char16_t units[8];
    bool replaced = false;
    std::size_t converted = platform::DecodeCodePage(codePage_, bytes, count, units, 8, &replaced);
    into.replaced = replaced || converted == 0;
    into.count = static_cast<std::uint8_t>(converted < 2 ? converted : 2);
    for (std::uint32_t i = 0; i < into.count; ++i) into.units[i] = units[i];
    into.known.store(true, std::memory_order_release);
}

}  // namespace pathbook
