// Decoders and encoders on in-memory text: the cost per byte of each family,
// without the file system or the document. bench/textfile_peers.sh measures
// whole loads and saves against iconv.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "runtime/utf8.h"
#include "textfile/detection.h"
#include "textfile/shift_jis_to_jis.h"
#include "textfile/text_file_out.h"
#include "textfile/text_reader_factory.h"

namespace pathbook {
namespace {

// About 1 MB of mixed Japanese and English notes with CR LF breaks.
std::u16string SampleText() {
    std::u16string line = Utf8ToUtf16("会議の議事録 2024-05-01: 請求書を送付しました。Meeting notes, action items ｱｲｳ\r\n");
    std::u16string text;
    while (text.size() < 500000) text += line;
    return text;
}

std::string Encoded(platform::CodePage codePage) {
    std::u16string text = SampleText();
    std::vector<std::uint8_t> bytes(text.size() * 4);
    std::size_t n = platform::EncodeCodePage(codePage, text.data(), text.size(), bytes.data(), bytes.size(), nullptr);
    return std::string(reinterpret_cast<const char*>(bytes.data()), n);
}

std::string Utf16Le() {
    std::u16string text = SampleText();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

void Drain(benchmark::State& state, CharsetId charset, const std::string& bytes) {
    std::vector<char16_t> buffer(1024);
    for (auto _ : state) {
        auto reader = CreateTextReader(charset, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       static_cast<std::uint32_t>(bytes.size()));
        std::uint64_t units = 0;
        while (reader->State() != ReadState::kFinished) units += reader->Read(buffer.data(), 1024);
        benchmark::DoNotOptimize(units);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}

void BM_DecodeUtf8(benchmark::State& state) { Drain(state, charset::kUtf8, Encoded(65001)); }
void BM_DecodeShiftJis(benchmark::State& state) { Drain(state, charset::kShiftJis, Encoded(932)); }
void BM_DecodeUtf16Le(benchmark::State& state) { Drain(state, charset::kUtf16Le, Utf16Le()); }
void BM_DecodeLatin1(benchmark::State& state) { Drain(state, charset::kLatin1, std::string(1 << 20, 'a')); }

// Shift_JIS pairs reworked into EUC-JP as the encoder does.
std::string EucJp() {
    std::string sjis = Encoded(932);
    std::string bytes;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        auto b = static_cast<std::uint8_t>(sjis[i]);
        if (b < 0x80) {
            bytes.push_back(static_cast<char>(b));
        } else if (b >= 0xA1 && b <= 0xDF) {
            bytes += "\x8E";
            bytes.push_back(static_cast<char>(b));
        } else {
            JisPair jis = ShiftJisToJis(b, static_cast<std::uint8_t>(sjis[++i]));
            bytes.push_back(static_cast<char>(jis.first | 0x80));
            bytes.push_back(static_cast<char>(jis.second | 0x80));
        }
    }
    return bytes;
}

void BM_DecodeEucJp(benchmark::State& state) { Drain(state, charset::kEucJp, EucJp()); }

// Saves the sample as lines, file writing included.
void Save(benchmark::State& state, CharsetId charset) {
    std::u16string text = SampleText();
    std::vector<std::u16string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find(u'\r', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    std::string path = "/tmp/pathbook-bench-" + std::to_string(charset) + ".txt";
    std::u16string path16(path.begin(), path.end());
    for (auto _ : state) {
        TextFileOut out(charset, LineEnd::kCrLf);
        out.Open(path16.c_str());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out.WriteLine(lines[i].data(), static_cast<std::uint32_t>(lines[i].size()), i + 1 == lines.size());
        }
        benchmark::DoNotOptimize(out.Close());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_SaveUtf8(benchmark::State& state) { Save(state, charset::kUtf8); }
void BM_SaveShiftJis(benchmark::State& state) { Save(state, charset::kShiftJis); }
void BM_SaveEucJp(benchmark::State& state) { Save(state, charset::kEucJp); }
void BM_SaveUtf16Le(benchmark::State& state) { Save(state, charset::kUtf16Le); }

void BM_Detect(benchmark::State& state) {
    std::string bytes = Encoded(65001).substr(0, kDetectionWindow);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DetectEncoding(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                static_cast<std::uint32_t>(bytes.size()), charset::kAutoDetect));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}

BENCHMARK(BM_DecodeUtf8);
BENCHMARK(BM_DecodeShiftJis);
BENCHMARK(BM_DecodeEucJp);
BENCHMARK(BM_DecodeUtf16Le);
BENCHMARK(BM_DecodeLatin1);
BENCHMARK(BM_Detect);
BENCHMARK(BM_SaveUtf8);
BENCHMARK(BM_SaveShiftJis);
BENCHMARK(BM_SaveEucJp);
BENCHMARK(BM_SaveUtf16Le);

}  // namespace
}  // namespace pathbook
