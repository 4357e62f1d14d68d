#include "recovery/journal_reader.h"

namespace pathbook {
namespace {

using journal::Checksum;
using journal::FieldReader;
using journal::FrameKind;

DocPos ReadPosition(FieldReader& fields) {
    LineIndex line = fields.U32();
    return DocPos::At(line, fields.U32());
}

// Applies one good frame's payload; false when the payload is not what its
// kind holds, which counts as damage.
bool ApplyFrame(FrameKind kind, FieldReader payload, JournalContents& contents) {
    switch (kind) {
    case FrameKind::kEdit: {
        JournalEdit edit;
        edit.start = ReadPosition(payload);
        edit.oldEnd = ReadPosition(payload);
        std::uint32_t lineCount = payload.U32();
        if (payload.Failed() || payload.Remaining() % 2 != 0) return false;
        edit.text = payload.Units(payload.Remaining() / 2);
        if (journal::IsSnapshot(edit.start, edit.oldEnd)) {
            contents.edits.clear();
            contents.fromSnapshot = true;
            contents.framesSinceStart = 0;
        }
        contents.edits.push_back(std::move(edit));
        contents.lineCount = lineCount;
        return true;
    }
    case FrameKind::kIdentity: {
        DocumentIdentity identity = journal::ReadIdentity(payload);
        if (payload.Failed() || payload.Remaining() != 0) return false;
        contents.header.identity = std::move(identity);
        return true;
    }
    case FrameKind::kBaseCopied: {
        std::uint64_t bytes = payload.U64();
        if (payload.Failed() || payload.Remaining() != 0) return false;
        contents.baseCopied = true;
        contents.baseCopiedBytes = bytes;
        return true;
    }
    }
    return false;
}

}  // namespace

JournalContents ReadJournal(const std::uint8_t* bytes, std::size_t size) {
    JournalContents contents;
    std::size_t at = 0;
    Checksum chain;
    if (!journal::ReadHeader(bytes, size, &contents.header, &at, &chain)) return contents;
    contents.valid = true;
    while (size - at >= journal::kFrameHeaderBytes) {
        const std::uint8_t* frame = bytes + at;
        FieldReader fields(frame, frame + journal::kFrameHeaderBytes);
        auto kind = static_cast<FrameKind>(fields.U32());
        std::size_t payloadBytes = fields.U32();
        Checksum stored{fields.U32(), fields.U32()};
        if (payloadBytes > size - at - journal::kFrameHeaderBytes) break;
        const std::uint8_t* payload = frame + journal::kFrameHeaderBytes;
        Checksum sum = journal::Continue(journal::Continue(chain, frame, 8), payload, payloadBytes);
        if (sum != stored || !ApplyFrame(kind, FieldReader(payload, payload + payloadBytes), contents)) break;
        chain = sum;
        at += journal::kFrameHeaderBytes + payloadBytes;
        contents.framesSinceStart += journal::kFrameHeaderBytes + payloadBytes;
    }
    contents.validBytes = at;
    contents.chain = chain;
    contents.intact = at == size;
    return contents;
}

}  // namespace pathbook
