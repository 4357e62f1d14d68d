// Journals as a crash, a bad disk or anyone else may leave them, through the
// reader and the replay. The input is tried twice: as it stands (a torn,
// garbled or made-up journal, stopped by the checksums at once), and as the
// frames after a good header with every checksum made right, so that what
// the frames hold (lengths, kinds, positions, texts) is what gets tried.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/document.h"
#include "document/edit_command.h"
#include "recovery/journal_format.h"
#include "recovery/journal_reader.h"

namespace {

using namespace pathbook;

void Check(bool condition) {
    if (!condition) std::abort();
}

// What was read stays within the input and replays into a sound document.
void ReadAndReplay(const std::uint8_t* bytes, std::size_t size) {
    JournalContents contents = ReadJournal(bytes, size);
    if (!contents.valid) return;
    Check(contents.validBytes <= size);
    Check(contents.intact == (contents.validBytes == size));
    Check(contents.edits.empty() || !contents.fromSnapshot ||
          journal::IsSnapshot(contents.edits[0].start, contents.edits[0].oldEnd));
    Document document;
    CommandGroup edits;
    for (const JournalEdit& edit : contents.edits) {
        edits.Add(std::make_unique<ReplaceCommand>(edit.start, edit.oldEnd, std::u16string_view(edit.text)));
    }
    document.Execute(edits);
    Check(document.CheckInvariants());
    document.Undo();
    Check(document.CheckInvariants());
}

JournalHeader FuzzHeader() {
    JournalHeader header;
    header.ownerProcess = 7;
    header.ownerHost = u"fuzz";
    header.identity.path = u"C:\\fuzz.txt";
    header.base.path = u"C:\\fuzz.txt";
    return header;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadAndReplay(data, size);
    journal::Bytes sealed;
    journal::PutHeader(sealed, FuzzHeader());
    journal::Checksum chain = journal::HeaderChecksum(sealed);
    std::size_t header = sealed.size();
    sealed.insert(sealed.end(), data, data + size);
    journal::Seal(sealed.data() + header, size, chain);
    ReadAndReplay(sealed.data(), sealed.size());
    return 0;
}
