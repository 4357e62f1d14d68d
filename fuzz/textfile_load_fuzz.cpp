// Arbitrary bytes as a file loaded into a document the way the editor loads
// one: TextFileIn (detection, the decoder, the break splitter) feeding
// Document::Load. Byte 0 picks the requested encoding; the rest is the file.
// The document must hold its invariants, no line a break, and the load's
// findings must agree with the text (a U+0000 is reported).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "document/document.h"
#include "fuzz_charsets.h"
#include "textfile/text_file_in.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pathbook;
    if (size < 1) return 0;
    CharsetId requested = fuzz::kCharsets[data[0] % fuzz::kCharsetCount];
    static const std::string path = "/tmp/pathbook-load-fuzz-" + std::to_string(getpid());
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    TextFileIn in(requested);
    if (!in.Open(std::u16string(path.begin(), path.end()).c_str())) std::abort();
    Document document;
    document.Load(in.Borrow());
    if (!document.CheckInvariants()) std::abort();
    bool nul = false;
    for (LineIndex line = 0; line < document.LineCount(); ++line) {
        const char16_t* text = document.LineText(line);
        for (UnitCount i = 0; i < document.LineLength(line); ++i) {
            if (text[i] == u'\r' || text[i] == u'\n') std::abort();
            nul = nul || text[i] == 0;
        }
    }
    if (nul != in.HeldNul()) std::abort();
    return 0;
}
