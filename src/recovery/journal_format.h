// The layout of a journal file: what rebuilds one document's unsaved text.
// Tested by journal_reader_test.cpp.
//
// A journal is a header, then frames appended one after the other, never
// changed once written. All numbers are little-endian; a text is a 32-bit
// unit count and that many UTF-16 units.
//
//   header: "PBJOURNL", version 1, the header's byte length, the owner (process
//           id, host), the document (path, empty for an untitled note;
//           CharsetId; line-end style), the base (the file the edits start
//           from: path, empty for none; the CharsetId it was decoded with; its
//           stamp: exists, size, last-write time), and the header's checksum.
//   frame:  kind, payload byte length, checksum (two 32-bit words), payload.
//
// Each frame's checksum covers its kind, length and payload and starts from
// the checksum of the frame before it (the header's for the first), as in a
// write-ahead log: a reader replays frames until the first one whose length
// overruns the file or whose checksum fails, so a tail torn by a crash is
// ignored and nothing after a damaged frame is trusted. The checksum is two
// running sums over 32-bit words (a Fletcher sum): cheap enough to cover a
// 100 MB snapshot on the writer thread, and it catches torn and garbled bytes.
//
// Frames:
//   edit:        the text from start to old end (positions before the change)
//                became the payload's text; the line count after the change
//                (for showing the journal's size without rebuilding it). An
//                edit from (0, 0) with an old end of kEndOfText in both fields
//                replaces everything: a snapshot, after which the base and the
//                earlier edits no longer matter.
//   identity:    the document's path, CharsetId and line-end style changed.
//   base copied: the file beside the journal holds the base file's bytes as
//                they were when the edits started (its size follows).
//
// Frame texts use CR LF between lines, as text handed out of a document does;
// lines never hold CR or LF themselves, so replaying a text splits it back
// into the same lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "document/doc_pos.h"
#include "document/document.h"
#include "platform/file_stamp.h"
#include "recovery/byte_fields.h"
#include "textfile/charset.h"

namespace pathbook {

// Where and how a document is saved.
struct DocumentIdentity {
    std::u16string path;  // empty: an untitled note
    CharsetId charset = charset::kUtf8;
    LineEnd lineEnd = LineEnd::kCrLf;
};

// The text a journal's edits start from.
struct JournalBase {
    std::u16string path;  // empty: no file; the edits start from an empty text
    CharsetId charset = charset::kAutoDetect;  // how the file was decoded
    platform::FileStamp stamp;                 // the file when its text was taken
};

struct JournalHeader {
    std::uint32_t ownerProcess = 0;
    std::u16string ownerHost;
    DocumentIdentity identity;
    JournalBase base;
};

namespace journal {

enum class FrameKind : std::uint32_t {
    kEdit = 1,
    kIdentity = 2,
    kBaseCopied = 3,
};

struct Checksum {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    friend bool operator==(Checksum a, Checksum b) { return a.first == b.first && a.second == b.second; }
    friend bool operator!=(Checksum a, Checksum b) { return !(a == b); }
};

constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kFrameHeaderBytes = 16;  // kind, payload length, checksum
constexpr std::size_t kEditFieldsBytes = 20;   // start, old end, line count
// A frame's payload length is 32-bit.
constexpr std::uint64_t kMaxPayloadBytes = 0xFFFFFFFFu;

// Continues `seed` over `count` bytes; the count need not be a multiple of 4.
Checksum Continue(Checksum seed, const std::uint8_t* bytes, std::size_t count);

// Appends the header, its checksum included.
void PutHeader(Bytes& out, const JournalHeader& header);
// The checksum a header made by PutHeader ends with: the chain its first frame continues.
Checksum HeaderChecksum(const Bytes& header);
// Reads a header from the front of [bytes, bytes + size): false unless it is
// whole and its checksum holds. *used receives its length, *chain its checksum.
bool ReadHeader(const std::uint8_t* bytes, std::size_t size, JournalHeader* header, std::size_t* used,
                Checksum* chain);

// The frame appenders write a frame whose checksum is still open: Seal fills
// it in when the frame's place in the file is known.
//
// An edit frame for the change that replaced [start, oldEnd) of the old text
// by what is now [start, newEnd) of `document` (whose text is copied), with
// start and newEnd inside the document, as its change reports give them; *units
// (when not null) receives the text's length. False, with nothing appended,
// when the text does not fit a frame (2^31 units).
bool PutEditFrame(Bytes& out, const Document& document, DocPos start, DocPos oldEnd, DocPos newEnd,
                  TextSize* units = nullptr);
// Grows the edit frame at offset `frame` of `out` (the last frame there, its
// checksum still open) by the document's units from `from` (the frame's new
// end) to `to`: typing on from where the frame's text ends makes no new frame.
// The frame's line count becomes the document's. False, with nothing
// changed, when the text would no longer fit a frame.
bool ExtendEditFrame(Bytes& out, std::size_t frame, const Document& document, DocPos from, DocPos to,
                     TextSize* units);
// The whole text of `document` as a snapshot (an edit that replaces everything).
bool PutSnapshotFrame(Bytes& out, const Document& document);
void PutIdentityFrame(Bytes& out, const DocumentIdentity& identity);
void PutBaseCopiedFrame(Bytes& out, std::uint64_t copiedBytes);

// Fills in the checksums of the whole frames in [frames, frames + bytes),
// chained from `chain`, and returns the last one's (`chain` when there are
// none). Allocates nothing.
Checksum Seal(std::uint8_t* frames, std::size_t bytes, Checksum chain);

// The fields of a document identity, as the header and identity frames hold them.
void PutIdentity(Bytes& out, const DocumentIdentity& identity);
DocumentIdentity ReadIdentity(FieldReader& fields);

// Whether an edit's start and old end mark a snapshot.
inline bool IsSnapshot(DocPos start, DocPos oldEnd) {
    return start == DocPos::At(0, 0) && oldEnd == DocPos::At(kEndOfText, kEndOfText);
}

}  // namespace journal
}  // namespace pathbook
