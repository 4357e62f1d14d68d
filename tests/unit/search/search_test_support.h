// Shared helpers for the search tests: random texts over a small alphabet, a
// searcher run on one line with the outcome written as "start-end" or "none",
// and a find dialog that records what it is told.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include <vector>

#include "search/find_ports.h"
#include "search/searcher.h"

namespace pathbook::search::test {

// Up to `maxLength` units drawn from `alphabet`.
inline std::u16string RandomText(std::mt19937& random, std::u16string_view alphabet, std::size_t maxLength) {
    std::u16string text(random() % (maxLength + 1), u' ');
    for (char16_t& unit : text) unit = alphabet[random() % alphabet.size()];
    return text;
}

inline std::string Outcome(Searcher& searcher, const std::u16string& line, std::int32_t start) {
    std::int32_t from = -1;
    std::int32_t to = -1;
    if (!searcher.Search(line.data(), static_cast<std::int32_t>(line.size()), start, &from, &to)) return "none";
    return std::to_string(from) + "-" + std::to_string(to);
}

class FakeDialog : public FindDialogPort {
public:
    bool ReadTexts(FindDialogTexts& out) override {
        out = texts;
        return open;
    }
    void ReportNotFound() override { ++notFound; }
    void ReportReplaced(std::int32_t count) override { replaced.push_back(count); }
    void CloseDialog() override { open = false; }
    void ReportLocked() override { ++locked; }

    FindDialogTexts texts;
    bool open = true;
    int notFound = 0;
    int locked = 0;
    std::vector<std::int32_t> replaced;
};

}  // namespace pathbook::search::test
