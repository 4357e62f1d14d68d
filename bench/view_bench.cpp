// The view's costs: laying out a loaded 100 MB notes file in each wrap mode
// (against loading it), re-wrapping a million lines (at a number of letters,
// and at the window's edge as the window is resized), the row table's bytes
// per line, and thumb drags and Ctrl+End over ten million wrapped rows.
//
// The notes corpus is read from PATHBOOK_CORPUS (the folder make_corpus.py
// wrote to); without it the layout benchmarks are skipped. A re-wrap of many
// lines runs on two threads, so its CPU time is the whole process's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>

#include "document/document.h"
#include "document/edit_command.h"
#include "runtime/utf8.h"
#include "textfile/text_file_in.h"
#include "view_bench_support.h"
#include "view/layout.h"
#include "view/scrolling.h"
#include "view/view_pos.h"

namespace pathbook {
namespace {

using bench::CorpusPath;
using bench::FixedMeasurer;
using bench::LoadCorpus;
using bench::MemorySource;

Document* NotesDocument() {
    static Document* document = [] {
        auto* loaded = new Document;
        loaded->SetKeywordDefinition(u"0110\n[\n]\n#\n");
        if (!LoadCorpus(*loaded, CorpusPath("mixed_utf8_crlf.txt"))) {
            delete loaded;
            return static_cast<Document*>(nullptr);
        }
        return loaded;
    }();
    return document;
}

TextSize Units(const Document& document) {
    TextSize units = 0;
    for (LineIndex line = 0; line < document.LineCount(); ++line) units += document.LineLength(line);
    return units;
}

// The load the layout is compared with: the same file into a new document.
void BM_LoadNotes(benchmark::State& state) {
    const std::string path = CorpusPath("mixed_utf8_crlf.txt");
    for (auto _ : state) {
        Document document;
        document.SetKeywordDefinition(u"0110\n[\n]\n#\n");
        if (!LoadCorpus(document, path)) {
            state.SkipWithError("set PATHBOOK_CORPUS to the folder of make_corpus.py's files");
            return;
        }
        benchmark::DoNotOptimize(document.LineCount());
    }
}
BENCHMARK(BM_LoadNotes)->Unit(benchmark::kMillisecond)->Iterations(3);

// The notes file opened as the window opens it: the first screen (open,
// detection, a first slice of lines and their layout), then the rest in
// slices of range(1) units of work, the layout following each, as between
// messages. range(0) picks the file: 0 the 100 MB notes, 1 the same notes ten
// times over (cat mixed_utf8_crlf.txt ten times into mixed_utf8_1gb.txt).
// Counters in milliseconds of wall time: the first screen, the longest slice,
// and the whole load.
void BM_LoadNotesInSlices(benchmark::State& state) {
    static const char* const kFiles[] = {"mixed_utf8_crlf.txt", "mixed_utf8_1gb.txt"};
    const std::string path = CorpusPath(kFiles[state.range(0)]);
    const auto work = static_cast<std::uint32_t>(state.range(1));
    using Clock = std::chrono::steady_clock;
    auto milliseconds = [](Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); };
    for (auto _ : state) {
        Document document;
        document.SetKeywordDefinition(u"0110\n[\n]\n#\n");
        FixedMeasurer measurer;
        Metrics metrics(measurer, 4);
        Layout layout(document, metrics);
        layout.Resize(1000, 800);
        layout.SetOptions(LayoutOptions{kWrapAtWindowEdge, true});
        struct Follow : DocListener {
            explicit Follow(Layout& layout) : layout(layout) {}
            void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool) override {
                layout.Update(start, oldEnd, newEnd);
            }
            Layout& layout;
        } follow(layout);
        document.AddListener(&follow);
        const Clock::time_point start = Clock::now();
        auto file = std::make_unique<TextFileIn>(0);
        if (path.empty() || !file->Open(Utf8ToUtf16(path).c_str())) {
            state.SkipWithError("set PATHBOOK_CORPUS to the folder of make_corpus.py's files");
            return;
        }
        document.BeginLoad(std::move(file));
        // A screen's worth: some 60 lines of up to 120 units, with room to spare.
        document.LoadMore(16384);
        const Clock::time_point firstScreen = Clock::now();
        Clock::duration longest{};
        for (bool more = true; more;) {
            const Clock::time_point sliceStart = Clock::now();
            more = document.LoadMore(work) == LoadResult::kMore;
            longest = std::max(longest, Clock::now() - sliceStart);
        }
        state.counters["first_screen_ms"] = milliseconds(firstScreen - start);
        state.counters["longest_slice_ms"] = milliseconds(longest);
        state.counters["load_ms"] = milliseconds(Clock::now() - start);
        state.counters["lines"] = static_cast<double>(document.LineCount());
        document.RemoveListener(&follow);
    }
}
BENCHMARK(BM_LoadNotesInSlices)
    ->Args({0, 1 << 20})
    ->Args({1, 1 << 20})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A fresh layout (every line measured and broken) of the loaded corpus:
// range(0) is the wrap value, the window 1,000 pixels wide.
void BM_LayoutNotes(benchmark::State& state) {
    Document* document = NotesDocument();
    if (document == nullptr) {
        state.SkipWithError("set PATHBOOK_CORPUS to the folder of make_corpus.py's files");
        return;
    }
    FixedMeasurer measurer;
    Metrics unused(measurer, 4);
    Layout layout(*document, unused);
    layout.Resize(1000, 800);
    for (auto _ : state) {
        // New metrics, as a new font brings: every line is measured and broken.
        Metrics metrics(measurer, 4);
        layout.Configure(metrics, LayoutOptions{static_cast<std::int32_t>(state.range(0)), true});
        benchmark::DoNotOptimize(layout.Rows().TotalRows());
        state.counters["rows"] = static_cast<double>(layout.Rows().TotalRows());
        state.counters["view_bytes_per_line"] =
            static_cast<double>(layout.Rows().MemoryBytes()) / document->LineCount();
        state.counters["view_bytes_per_unit"] = static_cast<double>(layout.Rows().MemoryBytes()) / Units(*document);
    }
}
BENCHMARK(BM_LayoutNotes)->Arg(kNoWrap)->Arg(kWrapAtWindowEdge)->Arg(80)->Unit(benchmark::kMillisecond)->Iterations(3);

Document* LinesOf(std::size_t lines, std::size_t width) {
    auto* document = new Document;
    std::u16string text;
    text.reserve(lines * (width + 1));
    for (std::size_t i = 0; i < lines; ++i) {
        text.append(width, static_cast<char16_t>(u'a' + i % 26));
        if (i + 1 < lines) text += u'\n';
    }
    InsertCommand insert(DocPos::At(0, 0), text);
    document->Execute(insert);
    return document;
}

// Re-wrapping 1,000,000 lines of 80 units to 60 columns, as on a resize:
// widths are kept, only the rows are broken again.
void BM_Rewrap1MLinesTo60(benchmark::State& state) {
    static Document* document = LinesOf(1000000, 80);
    FixedMeasurer measurer;
    Metrics metrics(measurer, 4);
    Layout layout(*document, metrics);
    for (auto _ : state) {
        state.PauseTiming();
        layout.SetOptions(LayoutOptions{kNoWrap, false});
        state.ResumeTiming();
        layout.SetOptions(LayoutOptions{60, false});
        benchmark::DoNotOptimize(layout.Rows().TotalRows());
    }
    state.counters["rows"] = static_cast<double>(layout.Rows().TotalRows());
    state.counters["view_bytes_per_line"] = static_cast<double>(layout.Rows().MemoryBytes()) / document->LineCount();
}
BENCHMARK(BM_Rewrap1MLinesTo60)->Unit(benchmark::kMillisecond)->Iterations(5)->MeasureProcessCPUTime();

// 1,000,000 loaded lines of notes, 20 to 120 units each: English words, or
// (japanese) every other word Japanese, which the fixed measurer draws twice
// as wide.
Document* NotesLines(bool japanese) {
    static const char16_t* const kEnglish[] = {u"meeting", u"notes", u"see", u"tomorrow", u"call", u"budget",
                                               u"2024-05-17", u"ok", u"plan", u"the", u"review", u"draft"};
    static const char16_t* const kJapanese[] = {u"会議", u"議事録", u"請求書", u"予定", u"確認しました", u"資料"};
    std::mt19937 random(7);
    std::u16string text;
    for (int i = 0; i < 1000000; ++i) {
        const std::size_t width = 20 + random() % 101;
        std::u16string line;
        for (int word = 0; line.size() < width; ++word) {
            line += japanese && word % 2 == 1 ? kJapanese[random() % 6] : kEnglish[random() % 12];
            line += u' ';
        }
        line.resize(width);
        text += line;
        if (i + 1 < 1000000) text += u'\n';
    }
    auto* document = new Document;
    document->Load(std::make_unique<MemorySource>(std::move(text)));
    return document;
}

// A resize of a window that wraps at its edge: 1,000,000 lines broken again
// at the new width (640 and 480 pixels in turn), their widths kept.
// range(0): 0 for English notes, 1 for the Japanese mix.
void BM_RewrapAtWindowEdge1MLines(benchmark::State& state) {
    static Document* english = NotesLines(false);
    static Document* japanese = NotesLines(true);
    Document& document = state.range(0) == 0 ? *english : *japanese;
    FixedMeasurer measurer;
    Metrics metrics(measurer, 4);
    Layout layout(document, metrics);
    layout.Resize(640, 800);
    layout.SetOptions(LayoutOptions{kWrapAtWindowEdge, false});
    bool narrow = false;
    for (auto _ : state) {
        narrow = !narrow;
        layout.Resize(narrow ? 480 : 640, 800);
        benchmark::DoNotOptimize(layout.Rows().TotalRows());
    }
    state.counters["lines"] = static_cast<double>(document.LineCount());
    state.counters["rows"] = static_cast<double>(layout.Rows().TotalRows());
}
BENCHMARK(BM_RewrapAtWindowEdge1MLines)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->MeasureProcessCPUTime();

// Ten million rows: 1,000,000 lines of 20 units wrapped after 2 letters.
struct TenMillionRows {
    TenMillionRows() : document(LinesOf(1000000, 20)), metrics(measurer, 4), layout(*document, metrics) {
        layout.Resize(800, 800);
        layout.SetOptions(LayoutOptions{2, false});
    }
    std::unique_ptr<Document> document;
    FixedMeasurer measurer;
    Metrics metrics;
    Layout layout;
};

TenMillionRows& Rows10M() {
    static TenMillionRows rows;
    return rows;
}

// One step of a thumb drag: the track position to the top row, its line and
// row, and the position at the window's top.
void BM_ThumbDrag10MRows(benchmark::State& state) {
    Layout& layout = Rows10M().layout;
    const ScrollBarState bar = VerticalBar(layout, 0);
    std::mt19937 random(3);
    for (auto _ : state) {
        const RowIndex top = TopRowFromTrack(layout, static_cast<std::int32_t>(random() % static_cast<unsigned>(bar.max)));
        benchmark::DoNotOptimize(PointToView(layout, Viewport{top, 0}, 5, 5, false));
    }
    state.counters["rows"] = static_cast<double>(layout.Rows().TotalRows());
}
BENCHMARK(BM_ThumbDrag10MRows);

// Ctrl+End: the end of the text as a view position, and the scroll that shows it.
void BM_CtrlEnd10MRows(benchmark::State& state) {
    Layout& layout = Rows10M().layout;
    for (auto _ : state) {
        const ViewPos end = DocToView(layout, DocPos::At(kEndOfText, kEndOfText));
        benchmark::DoNotOptimize(ScrollToShow(layout, Viewport{}, end));
    }
}
BENCHMARK(BM_CtrlEnd10MRows);

}  // namespace
}  // namespace pathbook
