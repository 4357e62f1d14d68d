// The decoders' fast paths against the exact way, read for read: ASCII
// blocks, well-formed UTF-8, the table of single characters of a code page
// and the plain runs of EUC and ISO-2022 must hand out the units and states
// the byte-by-byte path gives. Byte 0 picks the encoding, byte 1 the read
// capacity; the rest is the file, in a block of exactly its size so that a
// read past its end is caught.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "textfile/charset.h"
#include "textfile/text_reader_factory.h"

namespace {

using namespace pathbook;

// The encodings whose readers have a fast path.
constexpr CharsetId kFastCharsets[] = {
    charset::kUtf8,      charset::kUtf8Bom,    charset::kShiftJis, 936,  949,  950, 1250, 1251,
    1253,                1254,                 437,                874,  20866, 21866,
    charset::kEucJp,     charset::kIso2022Jp,  charset::kIso2022Kr, charset::kIso2022Cn,
};
constexpr std::size_t kFastCharsetCount = sizeof kFastCharsets / sizeof kFastCharsets[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const CharsetId charset = kFastCharsets[data[0] % kFastCharsetCount];
    // Small capacities take the exact way in both; most reads are large.
    const std::uint32_t capacity = data[1] < 16 ? 1u + data[1] : 64u + data[1] * 4u;
    const std::size_t length = size - 2;
    std::unique_ptr<std::uint8_t[]> file(new std::uint8_t[length]);
    if (length > 0) std::memcpy(file.get(), data + 2, length);
    const auto count = static_cast<std::uint32_t>(length);
    std::unique_ptr<TextReader> fast = CreateTextReader(charset, file.get(), count);
    std::unique_ptr<TextReader> exact = CreateExactTextReader(charset, file.get(), count);
    std::vector<char16_t> fastUnits(capacity);
    std::vector<char16_t> exactUnits(capacity);
    // Every read makes progress, so the bytes bound the number of reads.
    for (std::size_t reads = 0; exact->State() != ReadState::kFinished; ++reads) {
        const std::uint32_t fastCount = fast->Read(fastUnits.data(), capacity);
        const std::uint32_t exactCount = exact->Read(exactUnits.data(), capacity);
        if (fastCount != exactCount || fast->State() != exact->State() || fast->Position() != exact->Position() ||
            !std::equal(fastUnits.begin(), fastUnits.begin() + exactCount, exactUnits.begin()) ||
            reads > 2 * length + 2) {
            std::abort();
        }
    }
    if (fast->State() != ReadState::kFinished) std::abort();
    return 0;
}
