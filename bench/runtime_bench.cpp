// The runtime types and the encoding table: costs paid on every start and
// wherever text is copied.
#include <benchmark/benchmark.h>

#include "runtime/string.h"
#include "textfile/encoding_list.h"

namespace pathbook {
namespace {

void BM_BuildEncodingList(benchmark::State& state) {
    for (auto _ : state) {
        EncodingList list;
        BuildEncodingList(list);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_BuildEncodingList);

// Copies share the block: O(1) whatever the length.
void BM_StringCopy(benchmark::State& state) {
    String text(std::u16string(static_cast<std::size_t>(state.range(0)), u'x'));
    for (auto _ : state) {
        String copy = text;
        benchmark::DoNotOptimize(copy.Chars());
    }
}
BENCHMARK(BM_StringCopy)->Arg(16)->Arg(4096)->Arg(1 << 20);

// Appending chunks: growth is exact, so each append reallocates.
void BM_StringAppendChunks(benchmark::State& state) {
    const std::u16string chunk(64, u'y');
    for (auto _ : state) {
        String text;
        for (int i = 0; i < state.range(0); ++i) text.Append(chunk.data(), 64);
        benchmark::DoNotOptimize(text.Chars());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StringAppendChunks)->Arg(16)->Arg(256);

}  // namespace
}  // namespace pathbook
