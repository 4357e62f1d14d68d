// Arbitrary bytes as a notebook's index cache. The bytes are decoded as they
// are (a checksum guards a real cache, so these are nearly always refused),
// then as the body of a cache with the right checksum after it, so that
// every count and length reaches the decoder. A decoded index must read
// within bounds everywhere, and encode to bytes that decode to it again.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Decode(bytes);
    const std::uint64_t sum = IndexChecksum(data, size);
    std::string sealed = bytes;
    for (int i = 0; i < 8; ++i) sealed.push_back(static_cast<char>(sum >> (8 * i)));
    Decode(sealed);
    return 0;
}
