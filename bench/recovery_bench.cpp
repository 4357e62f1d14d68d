// The recovery journal's costs: the journal's bytes and time after 1,000 and
// 10,000 edits to the 100 MB notes file; restoring that file's edits after a
// crash, from the file itself and from the journal's copy of it, against
// loading it; and what recording adds to a keystroke in 1,000 and 1,000,000
// lines.
//
// The notes corpus is read from PATHBOOK_CORPUS (the folder make_corpus.py
// wrote to); without it the first two are skipped. Scratch files go to the
// system's temporary folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "document/document.h"
#include "document/edit_command.h"
#include "recovery/journal_folder.h"
#include "recovery/journal_recorder.h"
#include "view_bench_support.h"

namespace pathbook {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using bench::CorpusPath;

const char kNotes[] = "mixed_utf8_crlf.txt";

// A folder of the benchmark's own, removed with everything in it afterwards.
class Scratch {
public:
    Scratch() : path_(fs::temp_directory_path() / ("pathbook-bench-" + std::to_string(Clock::now().time_since_epoch().count()))) {
        fs::create_directories(path_);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    fs::path Path(const std::string& name) const { return path_ / name; }
    std::u16string Recovery() const { return (path_ / "Recovery").u16string(); }

private:
    fs::path path_;
};

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::uint64_t BytesOf(const fs::path& folder, const std::string& extension) {
    std::uint64_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == extension) bytes += entry.file_size();
    }
    return bytes;
}

std::unique_ptr<Document> Loaded(const std::string& path) {
    auto document = std::make_unique<Document>();
    if (!bench::LoadCorpus(*document, path)) return nullptr;
    return document;
}

// `count` edits at places spread over the document: typed letters, and a
// deletion every tenth.
void Edit(Document& document, int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    for (int i = 0; i < count; ++i) {
        LineIndex line = random() % document.LineCount();
        Column column = std::min<Column>(document.LineLength(line), random() % 40);
        if (i % 10 == 9 && column < document.LineLength(line)) {
            DeleteCommand deletion(DocPos::At(line, column), DocPos::At(line, column + 1));
            document.Execute(deletion);
        } else {
            InsertCommand letter(DocPos::At(line, column), u"x");
            document.Execute(letter);
        }
    }
}

// The journal's own bytes after range(0) edits, with the time from the first
// of them until all are on disk. The one copy of the file the journal takes
// (off the UI thread, when the first edit is written) is counted apart.
void BM_JournalEdits(benchmark::State& state) {
    std::string path = CorpusPath(kNotes);
    std::unique_ptr<Document> document = Loaded(path);
    if (!document) return state.SkipWithError("PATHBOOK_CORPUS has no notes corpus");
    for (auto _ : state) {
        Scratch scratch;
        JournalFolder folder(scratch.Recovery());
        JournalRecorder recorder(folder, *document);
        recorder.Rebase({fs::path(path).u16string(), charset::kUtf8, LineEnd::kCrLf});
        Clock::time_point copyStart = Clock::now();
        Edit(*document, 1, 1);
        recorder.FlushAndWait();
        state.counters["copy_s"] = Seconds(copyStart);
        std::uint64_t before = BytesOf(scratch.Path("Recovery"), ".journal");
        Clock::time_point start = Clock::now();
        Edit(*document, static_cast<int>(state.range(0)), 2);
        recorder.FlushAndWait();
        state.SetIterationTime(Seconds(start));
        std::uint64_t journal = BytesOf(scratch.Path("Recovery"), ".journal");
        state.counters["journal_bytes"] = static_cast<double>(journal);
        state.counters["bytes_per_edit"] = static_cast<double>(journal - before) / static_cast<double>(state.range(0));
        state.counters["copy_bytes"] = static_cast<double>(BytesOf(scratch.Path("Recovery"), ".base"));
        recorder.Discard();
        folder.WaitUntilWritten();
    }
}
BENCHMARK(BM_JournalEdits)->Arg(1000)->Arg(10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Loading the notes file into a new document: what a restore is measured against.
void BM_LoadNotes(benchmark::State& state) {
    std::string path = CorpusPath(kNotes);
    if (path.empty()) return state.SkipWithError("PATHBOOK_CORPUS has no notes corpus");
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        std::unique_ptr<Document> document = Loaded(path);
        state.SetIterationTime(Seconds(start));
        if (!document) return state.SkipWithError("PATHBOOK_CORPUS has no notes corpus");
    }
}
BENCHMARK(BM_LoadNotes)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// A crash after 1,000 edits to the notes file, then its restore: reading the
// journal, loading the base and replaying the edits. range(0) 0: the file is
// unchanged and read again; 1: it changed on disk, the journal's copy serves.
void BM_RestoreNotes(benchmark::State& state) {
    std::string corpus = CorpusPath(kNotes);
    if (corpus.empty() || !fs::exists(corpus)) return state.SkipWithError("PATHBOOK_CORPUS has no notes corpus");
    Scratch scratch;
    fs::path base = scratch.Path("notes.txt");
    fs::copy_file(corpus, base);
    {
        JournalFolder crashed(scratch.Recovery());
        std::unique_ptr<Document> document = Loaded(base.string());
        JournalRecorder recorder(crashed, *document);
        recorder.Rebase({base.u16string(), charset::kUtf8, LineEnd::kCrLf});
        Edit(*document, 1000, 3);
        recorder.FlushAndWait();
    }  // ends with the journal in place, as a crash does
    if (state.range(0) == 1) fs::last_write_time(base, fs::last_write_time(base) + std::chrono::hours(1));
    JournalFolder restorer(scratch.Recovery());
    std::vector<RecoveredJournal> claimed = restorer.ClaimOrphans();
    if (claimed.size() != 1) return state.SkipWithError("no journal to restore");
    JournalPaths paths = claimed[0].Paths();
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        RecoveredJournal journal;
        if (!RecoveredJournal::Read(paths, &journal)) return state.SkipWithError("the journal cannot be read");
        auto document = std::make_unique<Document>();
        document->Load(journal.OpenBaseText());
        journal.ReplayEdits(*document);
        state.SetIterationTime(Seconds(start));
        state.counters["exact"] = journal.Exact() ? 1 : 0;
        state.counters["lines"] = document->LineCount();
    }
}
BENCHMARK(BM_RestoreNotes)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// `lines` lines of 80 units of words in a file of the scratch folder, CR LF.
fs::path WriteLines(const Scratch& scratch, std::size_t lines) {
    static const char* const kWords[] = {"meeting", "notes", "see", "<C:\\notes\\plan.txt>", "tomorrow", "call",
                                         "budget", "2024-05-17", "ok", "日本語"};
    fs::path path = scratch.Path("lines-" + std::to_string(lines) + ".txt");
    std::ofstream out(path, std::ios::binary);
    std::mt19937 random(4);
    for (std::size_t i = 0; i < lines; ++i) {
        std::string line;
        while (line.size() < 80) line += std::string(kWords[random() % 10]) + " ";
        out << line << "\r\n";
    }
    return path;
}

// One keystroke in the middle of range(0) lines, with (range(1) 1) and without
// the recorder attached. Every 100 keystrokes the caret moves to the next line.
void BM_KeystrokeWithJournal(benchmark::State& state) {
    Scratch scratch;
    fs::path path = WriteLines(scratch, static_cast<std::size_t>(state.range(0)));
    std::unique_ptr<Document> document = Loaded(path.string());
    JournalFolder folder(scratch.Recovery());
    std::unique_ptr<JournalRecorder> recorder;
    if (state.range(1) == 1) {
        recorder = std::make_unique<JournalRecorder>(folder, *document);
        recorder->Rebase({path.u16string(), charset::kUtf8, LineEnd::kCrLf});
        Edit(*document, 1, 5);
        recorder->FlushAndWait();  // the journal and its copy of the file are made before timing
    }
    LineIndex middle = document->LineCount() / 2;
    std::uint32_t keystroke = 0;
    for (auto _ : state) {
        LineIndex line = middle + (keystroke / 100) % (document->LineCount() / 4);
        InsertCommand command(DocPos::At(line, 40 + keystroke % 100), u"x");
        document->Execute(command);
        ++keystroke;
    }
    if (recorder) {
        recorder->FlushAndWait();
        state.counters["journal_bytes"] = static_cast<double>(BytesOf(scratch.Path("Recovery"), ".journal"));
        recorder->Discard();
    }
}
BENCHMARK(BM_KeystrokeWithJournal)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Iterations(200000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace pathbook
