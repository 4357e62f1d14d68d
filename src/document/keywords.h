// The keyword table of a tokenizer: 4096 hash buckets of chains, in definition
// order within each chain, so the first of duplicate keywords is the one found.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/doc_pos.h"

namespace pathbook {

// Only the low byte of each unit counts, with the ASCII case bit cleared, so
// the hash ignores ASCII case in either comparison mode.
std::uint32_t KeywordHash(const char16_t* units, UnitCount count);
constexpr std::uint32_t kKeywordBuckets = 4096;

// Comparators over `count` units (the lengths were compared before).
using KeywordComparator = bool (*)(const char16_t* a, const char16_t* b, UnitCount count);
bool KeywordsEqualCaseSensitive(const char16_t* a, const char16_t* b, UnitCount count);
// ASCII case-insensitive on the low bytes; high bytes are not compared.
bool KeywordsEqualIgnoringCase(const char16_t* a, const char16_t* b, UnitCount count);

class KeywordTable {
public:
    explicit KeywordTable(bool caseSensitive);
    KeywordTable(const KeywordTable&) = delete;
    KeywordTable& operator=(const KeywordTable&) = delete;
    KeywordTable(KeywordTable&&) = default;

    // Appends a keyword to the end of its bucket's chain; empty ones are ignored.
    void Add(const char16_t* units, UnitCount count);
    bool Contains(const char16_t* units, UnitCount count) const;
    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }

private:
    struct Record {
        std::u16string text;
        Record* next = nullptr;  // next record of the same bucket
    };

    KeywordComparator compare_;
    std::array<Record*, kKeywordBuckets> heads_{};
    std::array<Record*, kKeywordBuckets> tails_{};  // last record of each chain, for appending
    std::vector<std::unique_ptr<Record>> records_;  // owns the records, in definition order
};

}  // namespace pathbook
