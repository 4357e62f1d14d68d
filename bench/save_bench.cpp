// Saving the 100 MB corpus files, each in the encoding it was loaded in, with
// the line ends it has: the whole save as the window does it (encoding, the
// check that every character survives, the new file written and synced, and
// put in the place of the old one).
//
// The corpus is read from PATHBOOK_CORPUS (the folder make_corpus.py wrote to);
// without it the benchmarks are skipped. Each file is saved beside itself
// ("NAME.saved", removed afterwards).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "document/document.h"
#include "platform/file_system.h"
#include "runtime/utf8.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"

namespace pathbook {
namespace {

struct LoadedCorpus {
    Document document;
    CharsetId charset = 0;
    LineEnd lineEnd = LineEnd::kCrLf;
};

std::string CorpusPath(const char* name) {
    const char* folder = std::getenv("PATHBOOK_CORPUS");
    return folder == nullptr ? std::string() : std::string(folder) + "/" + name;
}

// Loaded once per file and kept: only the saves are timed.
LoadedCorpus* Load(const char* name, CharsetId requested) {
    std::string path = CorpusPath(name);
    if (path.empty()) return nullptr;
    auto file = std::make_unique<TextFileIn>(requested);
    if (!file->Open(Utf8ToUtf16(path).c_str())) return nullptr;
    auto* loaded = new LoadedCorpus;
    loaded->charset = file->Charset();
    loaded->lineEnd = file->LineEndStyle();
    loaded->document.Load(std::move(file));
    return loaded;
}

void SaveCorpus(benchmark::State& state, LoadedCorpus* loaded, const char* name) {
    if (loaded == nullptr) {
        state.SkipWithError("set PATHBOOK_CORPUS to the folder of make_corpus.py's files");
        return;
    }
    std::u16string target = Utf8ToUtf16(CorpusPath(name) + ".saved");
    for (auto _ : state) {
        TextFileOut out(loaded->charset, loaded->lineEnd);
        bool saved = out.Open(target.c_str()) && loaded->document.Save(out);
        if (!saved) state.SkipWithError("the save failed");
    }
    platform::RemoveFile(target.c_str());
    state.counters["charset"] = loaded->charset;
}

// `requested`: the file's encoding where detection would not find it (the
// Shift_JIS file reads as the ANSI code page otherwise), else AutoDetect.
#define PATHBOOK_SAVE_BENCHMARK(function, file, requested)     \
    void function(benchmark::State& state) {                   \
        static LoadedCorpus* loaded = Load(file, requested);   \
        SaveCorpus(state, loaded, file);                       \
    }                                                          \
    BENCHMARK(function)->Unit(benchmark::kMillisecond)->Iterations(5)

PATHBOOK_SAVE_BENCHMARK(BM_SaveUtf8Notes, "mixed_utf8_crlf.txt", charset::kAutoDetect);
PATHBOOK_SAVE_BENCHMARK(BM_SaveShiftJisNotes, "mixed_cp932_crlf.txt", charset::kShiftJis);
PATHBOOK_SAVE_BENCHMARK(BM_SaveEucJpNotes, "mixed_eucjp_crlf.txt", charset::kAutoDetect);
PATHBOOK_SAVE_BENCHMARK(BM_SaveUtf16LeNotes, "mixed_utf16le_bom.txt", charset::kAutoDetect);
PATHBOOK_SAVE_BENCHMARK(BM_SaveEnglish, "english_ascii_lf.txt", charset::kAutoDetect);

}  // namespace
}  // namespace pathbook
