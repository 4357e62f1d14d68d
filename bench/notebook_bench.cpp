// The notebook's index on the linked notebook of make_corpus.py --notebook
// (10,000 notes in UTF-8, Shift_JIS and EUC-JP, read with the ANSI code page
// 932 as on a Japanese system): building it from the files, building it from
// its cache, and the window's queries on a built index (Links Here, Search
// notes), alone and with the rows the window lists. The corpus folder is $PATHBOOK_NOTEBOOK (default build/notebook);
// bench/notebook_peers.py makes it. Counters: notes, links, the index's own
// estimate of what it holds, and the process's peak resident memory.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>
#include <string>

#include "app/notebook_places.h"
#include "notebook/index_cache.h"
#include "notebook/links_here.h"
#include "notebook/notes_search.h"
#include "platform/code_page.h"
#include "platform/posix/native_path.h"

namespace pathbook {
namespace {

std::u16string CorpusRoot() {
    const char* folder = std::getenv("PATHBOOK_NOTEBOOK");
    std::string native = folder != nullptr ? folder : "build/notebook";
    if (native.empty() || native[0] != '/') {
        const char* current = std::getenv("PWD");
        native = std::string(current != nullptr ? current : ".") + "/" + native;
    }
    return platform::posix::WindowsPath(native);
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The index every query benchmark shares, built once.
const IndexPointer& BuiltIndex() {
    static const IndexPointer index = [] {
        platform::OverrideAnsiCodePage(932);
        IndexWork work;
        return BuildIndex(CorpusRoot(), u"*.txt", nullptr, work);
    }();
    return index;
}

bool HaveCorpus(benchmark::State& state) {
    if (BuiltIndex() != nullptr && !BuiltIndex()->Entries().empty()) return true;
    state.SkipWithError("no notebook corpus: run bench/notebook_peers.py, or set PATHBOOK_NOTEBOOK");
    return false;
}

void Report(benchmark::State& state, const NotebookIndex& index) {
    std::size_t links = 0;
    for (const NotePointer& note : index.Entries()) links += note->links.size();
    state.counters["notes"] = static_cast<double>(index.Counts().notes);
    state.counters["links"] = static_cast<double>(links);
    state.counters["index_MB"] = static_cast<double>(index.HeldBytes()) / 1e6;
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

void BM_BuildIndexFromFiles(benchmark::State& state) {
    if (!HaveCorpus(state)) return;
    IndexPointer index;
    for (auto _ : state) {
        index.reset();
        IndexWork work;
        index = BuildIndex(CorpusRoot(), u"*.txt", nullptr, work);
        benchmark::DoNotOptimize(index.get());
    }
    Report(state, *index);
}
BENCHMARK(BM_BuildIndexFromFiles)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_BuildIndexFromCache(benchmark::State& state) {
    if (!HaveCorpus(state)) return;
    const std::u16string cache = IndexCachePath(platform::posix::WindowsPath("/tmp/pathbook-notebook-bench"),
                                                CorpusRoot(), u"*.txt");
    SaveIndexCache(*BuiltIndex(), cache);
    IndexPointer index;
    for (auto _ : state) {
        index.reset();
        IndexWork work;
        index = BuildCachedIndex(CorpusRoot(), u"*.txt", nullptr, cache, work);
        benchmark::DoNotOptimize(index.get());
    }
    Report(state, *index);
}
BENCHMARK(BM_BuildIndexFromCache)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

// Links Here for a note with the usual handful of links to it, and for the home page.
void BM_LinksHere(benchmark::State& state) {
    if (!HaveCorpus(state)) return;
    const std::u16string note = CorpusRoot() + (state.range(0) == 0 ? u"\\f01\\n00001.txt" : u"\\Home.txt");
    std::size_t found = 0;
    for (auto _ : state) {
        found = LinksHere(*BuiltIndex(), note).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["links_here"] = static_cast<double>(found);
}
BENCHMARK(BM_LinksHere)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state, const char16_t* pattern, search::FindOptions options) {
    if (!HaveCorpus(state)) return;
    std::size_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const NoteHits& hits : SearchNotes(*BuiltIndex(), pattern, options)) matches += hits.matches.size();
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
}
void BM_SearchRareWord(benchmark::State& state) { Search(state, u"zephyr", {false, false}); }
void BM_SearchJapaneseWord(benchmark::State& state) { Search(state, u"請求書", {false, false}); }
void BM_SearchIgnoringCase(benchmark::State& state) { Search(state, u"ZEPHYR", {true, false}); }
void BM_SearchRegex(benchmark::State& state) { Search(state, u"[0-9]+-[a-z]+", {false, true}); }
BENCHMARK(BM_SearchRareWord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchJapaneseWord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchIgnoringCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchRegex)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the window works out before it fills its list: the query and its rows.
void BM_WindowLinksHere(benchmark::State& state) {
    if (!HaveCorpus(state)) return;
    const std::u16string note = CorpusRoot() + (state.range(0) == 0 ? u"\\f01\\n00001.txt" : u"\\Home.txt");
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = LinksHerePlaces(LinksHere(*BuiltIndex(), note)).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_WindowLinksHere)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WindowSearch(benchmark::State& state, const char16_t* pattern, search::FindOptions options) {
    if (!HaveCorpus(state)) return;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = SearchPlaces(SearchNotes(*BuiltIndex(), pattern, options)).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
void BM_WindowSearchRareWord(benchmark::State& state) { WindowSearch(state, u"zephyr", {true, false}); }
void BM_WindowSearchJapaneseWord(benchmark::State& state) { WindowSearch(state, u"請求書", {true, false}); }
BENCHMARK(BM_WindowSearchRareWord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowSearchJapaneseWord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pathbook
