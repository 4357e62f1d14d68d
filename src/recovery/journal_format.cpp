#include "recovery/journal_format.h"

#include <cstring>

namespace pathbook::journal {
namespace {

constexpr char kMagic[8] = {'P', 'B', 'J', 'O', 'U', 'R', 'N', 'L'};
// The header's own checksum starts here rather than at zero, so that a run of
// zero bytes is never a valid header.
constexpr Checksum kHeaderSeed = {0x4A42504Eu, 0x31524E4Cu};
// Magic, version and length come before the fields the length covers.
constexpr std::size_t kHeaderPrefixBytes = 16;
constexpr std::size_t kChecksumBytes = 8;

constexpr std::size_t kLengthOffset = 4;
constexpr std::size_t kChecksumOffset = 8;
constexpr std::size_t kLineCountOffset = kFrameHeaderBytes + 16;  // in an edit frame, after the two positions

void PutChecksum(std::uint8_t* at, Checksum sum) {
    StoreUnit32<ByteOrder::kLittleEndian>(sum.first, at);
    StoreUnit32<ByteOrder::kLittleEndian>(sum.second, at + 4);
}

Checksum LoadChecksum(const std::uint8_t* at) {
    return {LoadUnit32<ByteOrder::kLittleEndian>(at), LoadUnit32<ByteOrder::kLittleEndian>(at + 4)};
}

// Opens a frame of `kind` with room for `payloadBytes`; returns where the payload goes.
std::uint8_t* OpenFrame(Bytes& out, FrameKind kind, std::size_t payloadBytes) {
    std::size_t at = out.size();
    out.resize(at + kFrameHeaderBytes + payloadBytes);
    std::uint8_t* frame = out.data() + at;
    StoreUnit32<ByteOrder::kLittleEndian>(static_cast<std::uint32_t>(kind), frame);
    StoreUnit32<ByteOrder::kLittleEndian>(static_cast<std::uint32_t>(payloadBytes), frame + kLengthOffset);
    return frame + kFrameHeaderBytes;
}

// A frame whose payload was built apart.
void PutFrame(Bytes& out, FrameKind kind, const Bytes& payload) {
    std::uint8_t* at = OpenFrame(out, kind, payload.size());
    if (!payload.empty()) std::memcpy(at, payload.data(), payload.size());
}

std::uint8_t* PutPosition(std::uint8_t* at, DocPos pos) {
    StoreUnit32<ByteOrder::kLittleEndian>(pos.line, at);
    StoreUnit32<ByteOrder::kLittleEndian>(pos.column, at + 4);
    return at + 8;
}

// What PutRange writes; a change on one line (a keystroke) needs no look at the document.
TextSize UnitsBetween(const Document& document, DocPos start, DocPos end) {
    return start.line == end.line && start.column <= end.column ? end.column - start.column
                                                                : document.RangeLength(start, end);
}

// Writes the document's units from `start` to `end`, CR LF between lines.
void PutRange(std::uint8_t* at, const Document& document, DocPos start, DocPos end) {
    for (LineIndex line = start.line;; ++line) {
        const char16_t* text = document.LineText(line);
        Column from = line == start.line ? start.column : 0;
        Column to = line == end.line ? end.column : document.LineLength(line);
        for (Column column = from; column < to; ++column, at += 2) {
            StoreUnit16<ByteOrder::kLittleEndian>(text[column], at);
        }
        if (line >= end.line) return;
        StoreUnit16<ByteOrder::kLittleEndian>(u'\r', at);
        StoreUnit16<ByteOrder::kLittleEndian>(u'\n', at + 2);
        at += 4;
    }
}

}  // namespace

// Two 32-bit sums, each step folding the other in, over 8-byte blocks; a
// short last block counts as if padded with zeros (lengths are checksummed
// too, so padding cannot make two frames agree).
Checksum Continue(Checksum seed, const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t first = seed.first;
    std::uint32_t second = seed.second;
    std::size_t whole = count & ~std::size_t{7};
    for (std::size_t i = 0; i < whole; i += 8) {
        first += LoadUnit32<ByteOrder::kLittleEndian>(bytes + i) + second;
        second += LoadUnit32<ByteOrder::kLittleEndian>(bytes + i + 4) + first;
    }
    if (whole < count) {
        std::uint8_t tail[8] = {};
        std::memcpy(tail, bytes + whole, count - whole);
        first += LoadUnit32<ByteOrder::kLittleEndian>(tail) + second;
        second += LoadUnit32<ByteOrder::kLittleEndian>(tail + 4) + first;
    }
    return {first, second};
}

void PutIdentity(Bytes& out, const DocumentIdentity& identity) {
    PutText(out, identity.path);
    PutI32(out, identity.charset);
    PutI32(out, static_cast<std::int32_t>(identity.lineEnd));
}

// An unknown line-end style reads as CR LF, the program's default.
DocumentIdentity ReadIdentity(FieldReader& fields) {
    DocumentIdentity identity;
    identity.path = fields.Text();
    identity.charset = fields.I32();
    std::int32_t lineEnd = fields.I32();
    identity.lineEnd = lineEnd >= 0 && lineEnd <= 2 ? static_cast<LineEnd>(lineEnd) : LineEnd::kCrLf;
    return identity;
}

void PutHeader(Bytes& out, const JournalHeader& header) {
    std::size_t start = out.size();
    out.insert(out.end(), kMagic, kMagic + sizeof kMagic);
    PutU32(out, kVersion);
    PutU32(out, 0);  // the length, filled in below
    PutU32(out, header.ownerProcess);
    PutText(out, header.ownerHost);
    PutIdentity(out, header.identity);
    PutText(out, header.base.path);
    PutI32(out, header.base.charset);
    PutU32(out, header.base.stamp.exists ? 1 : 0);
    PutU64(out, header.base.stamp.size);
    PutU64(out, header.base.stamp.writeTime);
    std::size_t length = out.size() - start + kChecksumBytes;
    StoreUnit32<ByteOrder::kLittleEndian>(static_cast<std::uint32_t>(length), out.data() + start + 12);
    Checksum sum = Continue(kHeaderSeed, out.data() + start, length - kChecksumBytes);
    out.resize(out.size() + kChecksumBytes);
    PutChecksum(out.data() + out.size() - kChecksumBytes, sum);
}

Checksum HeaderChecksum(const Bytes& header) {
    return header.size() < kChecksumBytes ? Checksum{} : LoadChecksum(header.data() + header.size() - kChecksumBytes);
}

bool ReadHeader(const std::uint8_t* bytes, std::size_t size, JournalHeader* header, std::size_t* used,
                Checksum* chain) {
    if (size < kHeaderPrefixBytes + kChecksumBytes || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return false;
    FieldReader prefix(bytes + sizeof kMagic, bytes + kHeaderPrefixBytes);
    std::uint32_t version = prefix.U32();
    std::uint32_t length = prefix.U32();
    if (version != kVersion || length < kHeaderPrefixBytes + kChecksumBytes || length > size) return false;
    Checksum sum = Continue(kHeaderSeed, bytes, length - kChecksumBytes);
    if (sum != LoadChecksum(bytes + length - kChecksumBytes)) return false;
    FieldReader fields(bytes + kHeaderPrefixBytes, bytes + length - kChecksumBytes);
    JournalHeader read;
    read.ownerProcess = fields.U32();
    read.ownerHost = fields.Text();
    read.identity = ReadIdentity(fields);
    read.base.path = fields.Text();
    read.base.charset = fields.I32();
    read.base.stamp.exists = fields.U32() != 0;
    read.base.stamp.size = fields.U64();
    read.base.stamp.writeTime = fields.U64();
    if (fields.Failed()) return false;
    *header = std::move(read);
    *used = length;
    *chain = sum;
    return true;
}

bool PutEditFrame(Bytes& out, const Document& document, DocPos start, DocPos oldEnd, DocPos newEnd,
                  TextSize* length) {
    TextSize units = UnitsBetween(document, start, newEnd);
    if (length != nullptr) *length = units;
    if (units > (kMaxPayloadBytes - kEditFieldsBytes) / 2) return false;
    std::uint8_t* at = OpenFrame(out, FrameKind::kEdit, kEditFieldsBytes + 2 * static_cast<std::size_t>(units));
    at = PutPosition(at, start);
    at = PutPosition(at, oldEnd);
    StoreUnit32<ByteOrder::kLittleEndian>(document.LineCount(), at);
    PutRange(at + 4, document, start, newEnd);
    return true;
}

bool ExtendEditFrame(Bytes& out, std::size_t frame, const Document& document, DocPos from, DocPos to,
                     TextSize* units) {
    *units = UnitsBetween(document, from, to);
    std::size_t payload = LoadUnit32<ByteOrder::kLittleEndian>(out.data() + frame + kLengthOffset);
    if (*units > (kMaxPayloadBytes - payload) / 2) return false;
    std::size_t added = 2 * static_cast<std::size_t>(*units);
    std::size_t at = out.size();
    out.resize(at + added);
    std::uint8_t* header = out.data() + frame;
    StoreUnit32<ByteOrder::kLittleEndian>(static_cast<std::uint32_t>(payload + added), header + kLengthOffset);
    StoreUnit32<ByteOrder::kLittleEndian>(document.LineCount(), header + kLineCountOffset);
    PutRange(out.data() + at, document, from, to);
    return true;
}

bool PutSnapshotFrame(Bytes& out, const Document& document) {
    LineIndex last = document.LineCount() - 1;
    return PutEditFrame(out, document, DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText),
                        DocPos::At(last, document.LineLength(last)));
}

void PutIdentityFrame(Bytes& out, const DocumentIdentity& identity) {
    Bytes payload;
    PutIdentity(payload, identity);
    PutFrame(out, FrameKind::kIdentity, payload);
}

void PutBaseCopiedFrame(Bytes& out, std::uint64_t copiedBytes) {
    Bytes payload;
    PutU64(payload, copiedBytes);
    PutFrame(out, FrameKind::kBaseCopied, payload);
}

Checksum Seal(std::uint8_t* frames, std::size_t bytes, Checksum chain) {
    std::size_t at = 0;
    while (bytes - at >= kFrameHeaderBytes) {
        std::uint8_t* frame = frames + at;
        std::size_t payload = LoadUnit32<ByteOrder::kLittleEndian>(frame + kLengthOffset);
        if (payload > bytes - at - kFrameHeaderBytes) break;
        chain = Continue(chain, frame, kChecksumOffset);
        chain = Continue(chain, frame + kFrameHeaderBytes, payload);
        PutChecksum(frame + kChecksumOffset, chain);
        at += kFrameHeaderBytes + payload;
    }
    return chain;
}

}  // namespace pathbook::journal
