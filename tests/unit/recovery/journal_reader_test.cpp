// The journal's layout read back: whole journals, every cut, damaged bytes,
// snapshots and the frames that are not edits.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/edit_command.h"
#include "document/memory_text.h"
#include "recovery/journal_format.h"
#include "recovery/journal_reader.h"

namespace pathbook {
namespace {

using journal::Bytes;

JournalHeader SampleHeader() {
    JournalHeader header;
    header.ownerProcess = 4242;
    header.ownerHost = u"desk-7";
    header.identity = {u"C:\\notes\\日本.txt", charset::kShiftJis, LineEnd::kLf};
    header.base = {u"C:\\notes\\日本.txt", charset::kShiftJis, {true, 1234, 0x01DA000012345678ULL}};
    return header;
}

struct Step {
    DocPos from;
    DocPos to;
    std::u16string text;
};

// Typing, a paste over a line break, a deletion across lines, a change at the end.
const std::vector<Step> kSteps = {
    {DocPos::At(0, 0), DocPos::At(0, 0), u"今日は晴れ"},
    {DocPos::At(0, 2), DocPos::At(0, 2), u"\r\nline two\r\n"},
    {DocPos::At(0, 1), DocPos::At(1, 4), u""},
    {DocPos::At(kEndOfText, kEndOfText), DocPos::At(kEndOfText, kEndOfText), u" 😀 end"},
};

// A journal of the header and one frame per change made to a scratch
// document; `ends` receives where the header and each frame end.
struct Recorded {
    Bytes bytes;
    std::vector<std::size_t> ends;
    std::u16string finalText;
    std::uint32_t finalLines = 0;
};

struct FrameEar : DocListener {
    FrameEar(Bytes& out, const Document& document) : out(out), document(document) {}
    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool) override {
        EXPECT_TRUE(journal::PutEditFrame(out, document, start, oldEnd, newEnd));
    }
    Bytes& out;
    const Document& document;
};

Recorded Record(const std::vector<Step>& steps, bool snapshotAfterSecond = false) {
    Recorded recorded;
    journal::PutHeader(recorded.bytes, SampleHeader());
    const journal::Checksum chain = journal::HeaderChecksum(recorded.bytes);
    recorded.ends.push_back(recorded.bytes.size());
    Document document;
    FrameEar ear(recorded.bytes, document);
    document.AddListener(&ear);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        ReplaceCommand command(steps[i].from, steps[i].to, steps[i].text);
        document.Execute(command);
        recorded.ends.push_back(recorded.bytes.size());
        if (snapshotAfterSecond && i == 1) {
            journal::PutSnapshotFrame(recorded.bytes, document);
            recorded.ends.push_back(recorded.bytes.size());
        }
    }
    document.RemoveListener(&ear);
    std::size_t header = recorded.ends.front();
    journal::Seal(recorded.bytes.data() + header, recorded.bytes.size() - header, chain);
    recorded.finalText = test::AllText(document);
    recorded.finalLines = document.LineCount();
    return recorded;
}

std::u16string Replayed(const JournalContents& contents) {
    Document document;
    for (const JournalEdit& edit : contents.edits) {
        ReplaceCommand command(edit.start, edit.oldEnd, edit.text);
        document.Execute(command);
    }
    return test::AllText(document);
}

JournalContents Read(const Bytes& bytes, std::size_t size) { return ReadJournal(bytes.data(), size); }

// How many whole frames lie before byte `at` of the journal `ends` describes.
std::size_t FramesBefore(const std::vector<std::size_t>& ends, std::size_t at) {
    std::size_t frames = 0;
    while (frames + 1 < ends.size() && ends[frames + 1] <= at) ++frames;
    return frames;
}

TEST(JournalReaderTest, AWholeJournalRebuildsTheText) {
    Recorded recorded = Record(kSteps);
    JournalContents contents = Read(recorded.bytes, recorded.bytes.size());
    ASSERT_TRUE(contents.valid);
    const auto kept = [](const JournalHeader& h) {
        return std::make_tuple(h.ownerProcess, h.ownerHost, h.identity.path, h.identity.charset, h.identity.lineEnd,
                               h.base.path, h.base.stamp);
    };
    EXPECT_EQ(kept(contents.header), kept(SampleHeader()));
    EXPECT_EQ(contents.edits.size(), kSteps.size());
    EXPECT_FALSE(contents.fromSnapshot);
    EXPECT_TRUE(contents.intact);
    EXPECT_EQ(contents.validBytes, recorded.bytes.size());
    EXPECT_EQ(contents.lineCount, recorded.finalLines);
    EXPECT_EQ(Replayed(contents), recorded.finalText);
}

// A cut anywhere (a torn write) keeps exactly the frames before it; a
// changed byte stops the replay at the frame that holds it.
TEST(JournalReaderTest, ACutOrADamagedByteKeepsTheWholeFramesBeforeIt) {
    Recorded recorded = Record(kSteps);
    const std::vector<std::size_t>& ends = recorded.ends;
    for (std::size_t at = 0; at <= recorded.bytes.size(); ++at) {
        Bytes damaged = recorded.bytes;
        if (at < damaged.size()) damaged[at] ^= 0x20;
        JournalContents cut = Read(recorded.bytes, at);
        JournalContents changed = Read(damaged, damaged.size());
        if (at < ends.front()) {
            EXPECT_FALSE(cut.valid) << at;
            EXPECT_FALSE(changed.valid) << at;
            continue;
        }
        std::size_t whole = FramesBefore(ends, at);
        EXPECT_EQ(cut.edits.size(), whole) << at;
        EXPECT_EQ(cut.validBytes, ends[whole]) << at;
        EXPECT_EQ(cut.intact, ends[whole] == at) << at;
        EXPECT_EQ(changed.edits.size(), whole) << at;
        EXPECT_EQ(changed.intact, at == damaged.size()) << at;
    }
}

TEST(JournalReaderTest, ASnapshotReplacesWhatCameBefore) {
    Recorded recorded = Record(kSteps, true);
    JournalContents contents = Read(recorded.bytes, recorded.bytes.size());
    EXPECT_TRUE(contents.fromSnapshot);
    EXPECT_EQ(contents.edits.size(), kSteps.size() - 1);
    EXPECT_EQ(contents.framesSinceStart, recorded.bytes.size() - recorded.ends[2]);
    EXPECT_EQ(Replayed(contents), recorded.finalText);
}

// Frames that are not edits, and frames whose checksum holds but whose
// contents do not: an unknown kind, an odd text length, a length past the end.
TEST(JournalReaderTest, OtherFramesAndMalformedOnes) {
    Bytes base;
    journal::PutHeader(base, SampleHeader());
    const std::size_t header = base.size();
    const journal::Checksum chain = journal::HeaderChecksum(base);
    journal::PutIdentityFrame(base, {u"D:\\moved.txt", charset::kUtf16Le, LineEnd::kCr});
    journal::PutBaseCopiedFrame(base, 987654321);
    std::size_t good = base.size();
    struct Case {
        const char* what;
        std::uint32_t kind;
        std::uint32_t payloadBytes;
        Bytes payload;
    };
    const Case cases[] = {
        {"unknown kind", 9, 4, {1, 2, 3, 4}},
        {"odd edit text", 1, 23, Bytes(23, 0)},
        {"short edit", 1, 8, Bytes(8, 0)},
        {"identity with a tail", 2, 16, {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 7, 7, 7, 7}},
        {"length past the end", 1, 1000, Bytes(40, 0)},
    };
    for (const Case& c : cases) {
        Bytes bytes = base;
        journal::PutU32(bytes, c.kind);
        journal::PutU32(bytes, c.payloadBytes);
        journal::PutU64(bytes, 0);
        bytes.insert(bytes.end(), c.payload.begin(), c.payload.end());
        journal::Seal(bytes.data() + header, bytes.size() - header, chain);
        JournalContents contents = Read(bytes, bytes.size());
        EXPECT_EQ(contents.header.identity.path, u"D:\\moved.txt") << c.what;
        EXPECT_EQ(contents.header.identity.lineEnd, LineEnd::kCr) << c.what;
        EXPECT_TRUE(contents.baseCopied) << c.what;
        EXPECT_EQ(contents.baseCopiedBytes, 987654321u) << c.what;
        EXPECT_EQ(contents.validBytes, good) << c.what;
        EXPECT_FALSE(contents.intact) << c.what;
    }
}

}  // namespace
}  // namespace pathbook
