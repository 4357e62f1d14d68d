// The caret's costs: a keystroke in the middle of one 10,000,000-unit line
// (the document alone against the document with its view and caret), copying
// a whole 100 MB notes file into a clipboard block, and pasting it against
// loading the same file.
//
// The notes corpus is read from PATHBOOK_CORPUS (the folder make_corpus.py
// wrote to); without it the copy and paste benchmarks are skipped.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/edit_command.h"
#include "document/keyword_definition.h"
#include "view_bench_support.h"
#include "support/null_view_host.h"
#include "view/edit_input.h"
#include "view/clipboard_text.h"
#include "view/edit_view_core.h"

namespace pathbook {
namespace {

using bench::CorpusPath;
using bench::FixedMeasurer;
using bench::LoadCorpus;

// A document with a 1,000 x 800 window on it and a caret.
struct EditorOn {
    explicit EditorOn(Document& document, LayoutOptions options = {kNoWrap, true})
        : metrics(measurer, 4), core(document, metrics, host), input(document, core, host) {
        host.core = &core;
        core.Resize(1000, 800);
        core.SetOptions(options);
        input.selection.Relayout();
    }
    FixedMeasurer measurer;
    Metrics metrics;
    test::NullViewHost host;
    EditViewCore core;
    EditInput input;
};

void FillLongLine(Document& document) {
    std::u16string text(10000000, u'a');
    for (std::size_t i = 0; i < text.size(); i += 7) text[i] = u' ';
    InsertCommand insert(DocPos::At(0, 0), std::move(text));
    document.Execute(insert);
}

// One typed letter in the middle of a 10,000,000-unit line, by the document alone.
void BM_KeystrokeLongLineDocument(benchmark::State& state) {
    Document document;
    FillLongLine(document);
    const char16_t letter[] = u"x";
    for (auto _ : state) {
        InsertCommand insert(DocPos::At(0, 5000000), letter);
        document.Execute(insert);
    }
}
BENCHMARK(BM_KeystrokeLongLineDocument)->Unit(benchmark::kMillisecond);

// The same letter typed through the caret, with the view following.
void BM_KeystrokeLongLineView(benchmark::State& state) {
    Document document;
    FillLongLine(document);
    EditorOn editor(document, LayoutOptions{static_cast<std::int32_t>(state.range(0)), true});
    editor.input.selection.SetCaret(DocPos::At(0, 5000000), false);
    for (auto _ : state) {
        state.PauseTiming();
        editor.input.selection.SetCaret(DocPos::At(0, 5000000), false);
        state.ResumeTiming();
        editor.input.keys.Char(u'x');
    }
}
BENCHMARK(BM_KeystrokeLongLineView)->Arg(kNoWrap)->Arg(kWrapAtWindowEdge)->Unit(benchmark::kMillisecond);

Document* NotesDocument() {
    static Document* document = [] {
        auto* loaded = new Document;
        loaded->SetKeywordDefinition(kDefaultKeywordText);
        if (!LoadCorpus(*loaded, CorpusPath("mixed_utf8_crlf.txt"))) {
            delete loaded;
            return static_cast<Document*>(nullptr);
        }
        return loaded;
    }();
    return document;
}

// Building the clipboard block for all of the notes file.
void BM_CopyAllNotes(benchmark::State& state) {
    Document* document = NotesDocument();
    if (document == nullptr) return state.SkipWithError("set PATHBOOK_CORPUS to the folder of make_corpus.py's files");
    const DocPos from = DocPos::At(0, 0);
    const DocPos to = DocPos::At(kEndOfText, kEndOfText);
    for (auto _ : state) {
        std::unique_ptr<char16_t[]> block(new char16_t[ClipboardUnits(*document, from, to)]);
        WriteClipboardText(*document, from, to, block.get());
        benchmark::DoNotOptimize(block.get());
    }
    state.counters["units"] = static_cast<double>(ClipboardUnits(*document, from, to));
}
BENCHMARK(BM_CopyAllNotes)->Unit(benchmark::kMillisecond)->Iterations(5);

// Loading the notes file into a document shown in a view: what pasting is compared with.
void BM_LoadNotesIntoView(benchmark::State& state) {
    const std::string path = CorpusPath("mixed_utf8_crlf.txt");
    for (auto _ : state) {
        Document document;
        document.SetKeywordDefinition(kDefaultKeywordText);
        EditorOn editor(document);
        if (!LoadCorpus(document, path)) return state.SkipWithError("set PATHBOOK_CORPUS");
        benchmark::DoNotOptimize(document.LineCount());
    }
}
BENCHMARK(BM_LoadNotesIntoView)->Unit(benchmark::kMillisecond)->Iterations(3);

// Pasting the same text (as the clipboard holds it: CR LF breaks, a NUL) into an empty view.
void BM_PasteNotesIntoView(benchmark::State& state) {
    Document* notes = NotesDocument();
    if (notes == nullptr) return state.SkipWithError("set PATHBOOK_CORPUS to the folder of make_corpus.py's files");
    const DocPos to = DocPos::At(kEndOfText, kEndOfText);
    const TextSize units = ClipboardUnits(*notes, DocPos(), to);
    std::vector<char16_t> block(units);
    WriteClipboardText(*notes, DocPos(), to, block.data());
    for (auto _ : state) {
        Document document;
        document.SetKeywordDefinition(kDefaultKeywordText);
        EditorOn editor(document);
        editor.input.keys.PasteText(block.data(), block.size());
        benchmark::DoNotOptimize(document.LineCount());
    }
}
BENCHMARK(BM_PasteNotesIntoView)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace pathbook
