// The document's costs: a keystroke in a big document, inserting, deleting and
// undoing a 100 MB text, classification throughput, and memory per unit.
//
// Classification reads the notes corpus when PATHBOOK_CORPUS names the folder
// that bench corpora were written to (make_corpus.py); otherwise it makes a
// similar text itself.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/edit_command.h"
#include "document/keyword_definition.h"
#include "runtime/utf8.h"

namespace pathbook {
namespace {

// Lines of `width` units of words, spaces and an occasional link.
std::u16string NotesText(std::size_t lines, std::size_t width) {
    static const char16_t* const kWords[] = {u"meeting", u"notes", u"see", u"<C:\\notes\\plan.txt>", u"tomorrow",
                                             u"#", u"call", u"[draft]", u"budget", u"2024-05-17", u"ok"};
    std::mt19937 random(1);
    std::u16string text;
    text.reserve(lines * (width + 1));
    for (std::size_t i = 0; i < lines; ++i) {
        std::u16string line;
        while (line.size() < width) {
            line += kWords[random() % (sizeof kWords / sizeof kWords[0])];
            line += u' ';
        }
        line.resize(width);
        text += line;
        text += u'\n';
    }
    return text;
}

std::u16string SymbolText(std::size_t lines, std::size_t width) {
    static const char16_t kSymbols[] = u"<>[]#{}()=+-*/\\|&^%$!?:;,.\"'`~a1 ";
    std::mt19937 random(2);
    std::u16string text;
    for (std::size_t i = 0; i < lines; ++i) {
        for (std::size_t k = 0; k < width; ++k) text += kSymbols[random() % (sizeof kSymbols / 2 - 1)];
        text += u'\n';
    }
    return text;
}

std::u16string CorpusOrNotes(const char* name, std::size_t maxBytes) {
    const char* folder = std::getenv("PATHBOOK_CORPUS");
    if (folder != nullptr) {
        std::ifstream file(std::string(folder) + "/" + name, std::ios::binary);
        std::string bytes(maxBytes, '\0');
        file.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
        bytes.resize(static_cast<std::size_t>(file.gcount()));
        if (!bytes.empty()) return Utf8ToUtf16(bytes);
    }
    return NotesText(250000, 80);
}

class CountingListener : public DocListener {
public:
    void OnTextUpdate(DocPos, DocPos, DocPos newEnd, bool) override { lastLine += newEnd.line; }
    LineIndex lastLine = 0;
};

std::unique_ptr<Document> MakeDocument(const std::u16string& text) {
    auto document = std::make_unique<Document>();
    document->SetKeywordDefinition(kDefaultKeywordText);
    InsertCommand insert(DocPos::At(0, 0), text);
    document->Execute(insert);
    return document;
}

// One keystroke: an insert command, its undo record, the line's
// reclassification and the notification, in the middle of 1,000,000 lines.
// Every 100 keystrokes the caret moves to the next line, as in real typing.
void BM_TypingInTheMiddle(benchmark::State& state) {
    static std::unique_ptr<Document> document = MakeDocument(NotesText(1000000, 80));
    CountingListener listener;
    document->AddListener(&listener);
    std::uint32_t keystroke = 0;
    for (auto _ : state) {
        LineIndex line = 500000 + (keystroke / 100) % 100000;
        InsertCommand command({40 + keystroke % 100, line}, u"x");
        document->Execute(command);
        ++keystroke;
    }
    document->RemoveListener(&listener);
    benchmark::DoNotOptimize(listener.lastLine);
}
BENCHMARK(BM_TypingInTheMiddle)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kNanosecond);

// Insert a 100 MB text at once, delete all of it, undo the delete: each a
// linear pass. The counters give each pass in MB (million units) per second
// of process CPU time, so other load on the machine does not distort them.
double MegaUnitsPerCpuSecond(std::size_t units, std::clock_t start) {
    double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    return static_cast<double>(units) / 1e6 / seconds;
}

void BM_Insert100MBDeleteUndo(benchmark::State& state) {
    const std::u16string text = NotesText(1250000, 80);  // 101,250,000 units
    for (auto _ : state) {
        Document document;
        document.SetKeywordDefinition(kDefaultKeywordText);
        std::clock_t start = std::clock();
        InsertCommand insert({0, 0}, text);
        document.Execute(insert);
        state.counters["insert_MBps"] = MegaUnitsPerCpuSecond(text.size(), start);
        start = std::clock();
        DeleteCommand erase({0, 0}, {kEndOfText, kEndOfText});
        document.Execute(erase);
        state.counters["delete_MBps"] = MegaUnitsPerCpuSecond(text.size(), start);
        start = std::clock();
        document.Undo();
        state.counters["undo_MBps"] = MegaUnitsPerCpuSecond(text.size(), start);
        benchmark::DoNotOptimize(document.LineCount());
    }
    state.counters["units"] = static_cast<double>(text.size());
}
BENCHMARK(BM_Insert100MBDeleteUndo)->Iterations(1)->Unit(benchmark::kMillisecond);

void ClassifyAll(benchmark::State& state, const std::u16string& text) {
    std::unique_ptr<Document> document = MakeDocument(text);
    for (auto _ : state) {
        document->SetKeywordDefinition(kDefaultKeywordText);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ClassifyNotes(benchmark::State& state) {
    static const std::u16string text = CorpusOrNotes("mixed_utf8_crlf.txt", 20000000);
    ClassifyAll(state, text);
}
BENCHMARK(BM_ClassifyNotes)->Unit(benchmark::kMillisecond);

void BM_ClassifyEnglish(benchmark::State& state) {
    static const std::u16string text = CorpusOrNotes("english_ascii_lf.txt", 20000000);
    ClassifyAll(state, text);
}
BENCHMARK(BM_ClassifyEnglish)->Unit(benchmark::kMillisecond);

void BM_ClassifySymbols(benchmark::State& state) {
    static const std::u16string text = SymbolText(125000, 80);
    ClassifyAll(state, text);
}
BENCHMARK(BM_ClassifySymbols)->Unit(benchmark::kMillisecond);

// The comment pass that runs when lines are drawn.
void BM_FinalizeNotes(benchmark::State& state) {
    std::unique_ptr<Document> document = MakeDocument(NotesText(125000, 80));
    for (auto _ : state) {
        document->SetKeywordDefinition(kDefaultKeywordText);
        for (LineIndex line = 0; line < document->LineCount(); ++line) benchmark::DoNotOptimize(document->LineTokens(line));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 125000 * 81));
}
BENCHMARK(BM_FinalizeNotes)->Unit(benchmark::kMillisecond);

// Serves LF-separated text in the reads of up to 1024 units a decoder makes.
class Source : public TextSource {
public:
    explicit Source(const std::u16string& text) : text_(text) {}
    ReadState State() const override { return state_; }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        std::uint32_t count = 0;
        while (next_ < text_.size() && text_[next_] != u'\n' && count < capacity) buffer[count++] = text_[next_++];
        if (next_ == text_.size()) {
            state_ = ReadState::kFinished;
        } else if (text_[next_] == u'\n') {
            ++next_;
            state_ = ReadState::kAtLineBreak;
        } else {
            state_ = ReadState::kBufferFull;
        }
        return count;
    }

private:
    const std::u16string& text_;
    std::size_t next_ = 0;
    ReadState state_ = ReadState::kAtLineBreak;
};

// Resident bytes of the process, from /proc (this benchmark runs on Linux).
std::size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t total = 0;
    std::size_t resident = 0;
    statm >> total >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Bytes of memory per UTF-16 unit held, for a loaded 100 MB document of
// 80-unit lines: what the load added to the process's resident memory, which
// counts the line arenas (straight from the system) as well as the heap.
void BM_MemoryPerUnit(benchmark::State& state) {
    const std::u16string text = NotesText(1250000, 80);
    for (auto _ : state) {
        std::size_t before = ResidentBytes();
        auto document = std::make_unique<Document>();
        document->SetKeywordDefinition(kDefaultKeywordText);
        document->Load(std::make_unique<Source>(text));
        std::size_t after = ResidentBytes();
        std::size_t units = text.size() - document->LineCount() + 1;
        state.counters["bytes_per_unit"] = static_cast<double>(after - before) / static_cast<double>(units);
        state.counters["lines"] = document->LineCount();
    }
}
BENCHMARK(BM_MemoryPerUnit)->Iterations(1)->Unit(benchmark::kMillisecond);

// One line of 10 million units arrives in about 10,000 reads; each line is
// classified once, so the cost stays linear.
void BM_LoadOneLongLine(benchmark::State& state) {
    std::u16string text = NotesText(1, 10000000);
    text.pop_back();
    for (auto _ : state) {
        Document document;
        document.SetKeywordDefinition(kDefaultKeywordText);
        document.Load(std::make_unique<Source>(text));
        benchmark::DoNotOptimize(document.LineLength(0));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadOneLongLine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pathbook
