// Reading a journal back (layout in journal_format.h): the header, then every
// frame up to the first one that is cut off or damaged. Bounded by its input:
// it never reads outside [bytes, bytes + size), and what it keeps is at most
// as large as what it read.
// Tested by journal_reader_test.cpp; fuzzed by journal_reader_fuzz.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/doc_pos.h"
#include "recovery/journal_format.h"

namespace pathbook {

struct JournalEdit {
    DocPos start;
    DocPos oldEnd;
    std::u16string text;  // CR LF between lines
};

struct JournalContents {
    bool valid = false;         // the header was whole; nothing else is set otherwise
    JournalHeader header;       // with the identity of the last identity frame
    // The edits to replay, oldest first: from the base's text, or (fromSnapshot)
    // from nothing, the first being the last snapshot.
    std::vector<JournalEdit> edits;
    bool fromSnapshot = false;
    std::uint64_t baseCopiedBytes = 0;  // the base copy's size; 0: no copy was completed
    bool baseCopied = false;
    std::uint32_t lineCount = 0;        // after the last edit; 0 without edits
    std::uint64_t validBytes = 0;       // the header and the good frames
    std::uint64_t framesSinceStart = 0; // bytes of the good frames after the header, or from the last snapshot on
    journal::Checksum chain;            // the last good frame's checksum (the header's without frames)
    bool intact = false;                // every byte belonged to the header or a good frame
};

JournalContents ReadJournal(const std::uint8_t* bytes, std::size_t size);

}  // namespace pathbook
