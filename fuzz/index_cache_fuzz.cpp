// Arbitrary bytes as a notebook's index cache. The bytes are decoded as they
// are (a checksum guards a real cache's head, so these are nearly always
// refused), then sealed: the head's checksum written in its place, so that
// every count and length reaches the decoder. A decoded index must read
// within bounds everywhere, texts that fail their check included, and encode
// to bytes that decode to it again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "notebook/index_cache.h"
#include "notebook/links_here.h"
#include "notebook/note_search.h"

namespace {

using namespace pathbook;

void Check(bool condition) {
    if (!condition) std::abort();
}

void Exercise(const NotebookIndex& index) {
    NoteSearcher searcher(u"a", {true, false});
    for (const NotePointer& note : index.Entries()) {
        Check(index.Find(note->file.path) != nullptr);
        std::size_t units = 0;
        for (LineIndex line = 0; line < note->text.LineCount(); ++line) units += note->text.Line(line).size() + 1;
        Check(units == note->text.Units().size());
        for (const NoteLink& link : note->links) Check(note->TargetOf(link).size() == link.targetLength);
        std::vector<NoteMatch> matches;
        searcher.FindAll(note->text, &matches);
        for (const NoteMatch& match : matches) Check(match.end <= note->text.Line(match.line).size());
        LinksHere(index, note->file.path);
    }
    const std::string again = EncodeIndex(index);
    IndexPointer back = DecodeIndex(reinterpret_cast<const std::uint8_t*>(again.data()), again.size());
    Check(back != nullptr && EncodeIndex(*back) == again);
}

// Decodes `bytes` from a block of exactly their size, so that a read past the end is caught.
void Decode(const std::string& bytes) {
    auto block = std::shared_ptr<std::uint8_t>(new std::uint8_t[bytes.empty() ? 1 : bytes.size()],
                                               std::default_delete<std::uint8_t[]>());
    std::memcpy(block.get(), bytes.data(), bytes.size());
    for (bool inPlace : {false, true}) {
        IndexPointer index = DecodeIndex(block.get(), bytes.size(), inPlace ? block : nullptr);
        if (index != nullptr) Exercise(*index);
    }
}

// `bytes` with the checksum of the head their size field gives (cut to what
// is there); unchanged when too short to hold the fields.
std::string Sealed(std::string bytes) {
    if (bytes.size() < kIndexHeadAt) return bytes;
    std::uint64_t headSize = 0;
    for (int i = 7; i >= 0; --i) headSize = headSize << 8 | static_cast<std::uint8_t>(bytes[kIndexHeadSizeAt + i]);
    headSize = std::min<std::uint64_t>(headSize, bytes.size() - kIndexHeadAt);
    const std::uint64_t sum = IndexChecksum(reinterpret_cast<const std::uint8_t*>(bytes.data()) + kIndexHeadAt, headSize);
    for (int i = 0; i < 8; ++i) bytes[kIndexChecksumAt + i] = static_cast<char>(sum >> (8 * i));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Decode(bytes);
    Decode(Sealed(bytes));
    return 0;
}
