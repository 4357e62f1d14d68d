// Search costs per unit: the plain Boyer-Moore searchers, the regex searcher
// on typical patterns, and a never-matching "a.*Z" on one long line against
// the same text cut into 100-unit lines (the cost must stay linear).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "search/make_searcher.h"

namespace pathbook::search {
namespace {

// Mixed ASCII and Japanese words with numbers, like the notes the editor holds.
std::u16string MakeText(std::size_t units) {
    const char16_t* words[] = {u"meeting ", u"notes ", u"4711-fix ", u"colour ", u"color ", u"the ",
                               u"\u4f1a\u8b70 ", u"\u8b70\u4e8b\u9332 ", u"2024 ", u"server ", u"abc "};
    std::mt19937 random(1);
    std::u16string text;
    while (text.size() < units) text += words[random() % (sizeof(words) / sizeof(words[0]))];
    text.resize(units);
    return text;
}

std::int64_t SearchAll(Searcher& searcher, const std::u16string& text, std::size_t lineLength) {
    std::int64_t found = 0;
    for (std::size_t at = 0; at < text.size(); at += lineLength) {
        auto length = static_cast<std::int32_t>(std::min(lineLength, text.size() - at));
        std::int32_t start = 0;
        std::int32_t from = 0;
        std::int32_t to = 0;
        while (searcher.Search(text.data() + at, length, start, &from, &to)) {
            ++found;
            start = from + 1;
        }
    }
    return found;
}

// `prefix` replaces the start of the text.
void RunSearch(benchmark::State& state, const char16_t* pattern, bool regExp, bool ignoreCase,
               std::size_t lineLength, const char16_t* prefix = u"") {
    std::u16string text = MakeText(4 << 20);
    text.replace(0, std::char_traits<char16_t>::length(prefix), prefix);
    std::u16string needle(pattern);
    auto searcher = MakeSearcher(needle.data(), static_cast<std::int32_t>(needle.size()), {regExp, true, ignoreCase});
    for (auto _ : state) benchmark::DoNotOptimize(SearchAll(*searcher, text, lineLength));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_PlainRareWord(benchmark::State& state) { RunSearch(state, u"zephyr", false, false, 80); }
BENCHMARK(BM_PlainRareWord);
void BM_PlainRareWordFolding(benchmark::State& state) { RunSearch(state, u"zephyr", false, true, 80); }
BENCHMARK(BM_PlainRareWordFolding);
void BM_RegexTicket(benchmark::State& state) { RunSearch(state, u"[0-9]+-[a-z]+", true, false, 80); }
BENCHMARK(BM_RegexTicket);
void BM_RegexColour(benchmark::State& state) { RunSearch(state, u"colou?r", true, false, 80); }
BENCHMARK(BM_RegexColour);
void BM_RegexNeverMatchingShortLines(benchmark::State& state) { RunSearch(state, u"a.*Z", true, false, 100); }
BENCHMARK(BM_RegexNeverMatchingShortLines);
void BM_RegexNeverMatchingOneLine(benchmark::State& state) { RunSearch(state, u"a.*Z", true, false, 4 << 20); }
BENCHMARK(BM_RegexNeverMatchingOneLine);
// The line holds the required "Z", but only before its first "a".
void BM_RegexNeverMatchingOneLineHoldingZ(benchmark::State& state) {
    RunSearch(state, u"a.*Z", true, false, 4 << 20, u"Z");
}
BENCHMARK(BM_RegexNeverMatchingOneLineHoldingZ);

void BM_BuildPlainSearcher(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(MakeSearcher(u"zephyr", 6, {false, true, false}));
}
BENCHMARK(BM_BuildPlainSearcher);

}  // namespace
}  // namespace pathbook::search
