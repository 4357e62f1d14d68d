#include "document/keywords.h"

namespace pathbook {

std::uint32_t KeywordHash(const char16_t* units, UnitCount count) {
    std::uint32_t hash = 0;
    std::uint32_t shift = 0;
    for (UnitCount i = 0; i < count; ++i) {
        hash ^= static_cast<std::uint32_t>(units[i] & 0xDF) << shift;
        shift = (shift - 3) & 7;
    }
    return hash;
}

bool KeywordsEqualCaseSensitive(const char16_t* a, const char16_t* b, UnitCount count) {
    for (UnitCount i = 0; i < count; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

bool KeywordsEqualIgnoringCase(const char16_t* a, const char16_t* b, UnitCount count) {
    for (UnitCount i = 0; i < count; ++i) {
        if (((a[i] ^ b[i]) & 0xDF) != 0) return false;
    }
    return true;
}

KeywordTable::KeywordTable(bool caseSensitive)
    : compare_(caseSensitive ? KeywordsEqualCaseSensitive : KeywordsEqualIgnoringCase) {}

void KeywordTable::Add(const char16_t* units, UnitCount count) {
    if (count == 0) return;
    records_.push_back(std::make_unique<Record>());
    Record* record = records_.back().get();
    record->text.assign(units, count);
    std::uint32_t bucket = KeywordHash(units, count) & (kKeywordBuckets - 1);
    if (tails_[bucket] == nullptr) {
        heads_[bucket] = record;
    } else {
        tails_[bucket]->next = record;
    }
    tails_[bucket] = record;
}

bool KeywordTable::Contains(const char16_t* units, UnitCount count) const {
    if (records_.empty()) return false;
    std::uint32_t bucket = KeywordHash(units, count) & (kKeywordBuckets - 1);
    for (const Record* record = heads_[bucket]; record != nullptr; record = record->next) {
        if (record->text.size() == count && compare_(record->text.data(), units, count)) return true;
    }
    return false;
}

}  // namespace pathbook
