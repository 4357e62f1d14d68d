// Arbitrary bytes through detection and every decoder. Byte 0 picks the
// requested encoding, byte 1 the read capacity; the rest is the file, copied
// to a block of exactly its size so that a read past its end is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_charsets.h"
#include "textfile/detection.h"
#include "textfile/text_reader_factory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pathbook;
    if (size < 2) return 0;
    CharsetId requested = fuzz::kCharsets[data[0] % fuzz::kCharsetCount];
    std::uint32_t capacity = 1 + data[1] * 4u;
    std::size_t length = size - 2;
    std::unique_ptr<std::uint8_t[]> file(new std::uint8_t[length]);
    if (length > 0) std::memcpy(file.get(), data + 2, length);
    auto count = static_cast<std::uint32_t>(length);
    std::uint32_t examined = count < kDetectionWindow ? count : kDetectionWindow;
    Detection detection = DetectEncoding(file.get(), examined, requested);
    std::unique_ptr<TextReader> reader = CreateTextReader(detection.charset, file.get(), count);
    std::vector<char16_t> buffer(capacity);
    // Every read makes progress, so the bytes bound the number of reads.
    std::size_t reads = 0;
    while (reader->State() != ReadState::kFinished) {
        std::uint32_t stored = reader->Read(buffer.data(), capacity);
        if (stored > capacity || ++reads > 2 * length + 2) std::abort();
    }
    return 0;
}
