// Recording a document's changes and rebuilding them after a crash: the
// instance that recorded is destroyed without clean-up (its journals stay, its
// owner file is let go, as when the process dies) and a new one claims them.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/edit_command.h"
#include "recovery/journal_reader.h"
#include "recovery_support.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::Instance;
using test::Type;

constexpr char kNote[] = "first line\r\nsecond line\r\n日本語の三行目\r\n";

class JournalRecorderTest : public ::testing::Test {
protected:
    std::u16string Folder() const { return temp.File("Recovery"); }
    std::u16string Note(const std::string& bytes = kNote) {
        temp.Write("note.txt", bytes);
        return temp.File("note.txt");
    }
    // Starts the next instance and claims what earlier ones left.
    std::vector<RecoveredJournal> ClaimInNext() {
        next = std::make_unique<Instance>(Folder());
        return next->journals.ClaimOrphans();
    }
    // Ends `instance` as a crash would, and claims what it left in a new one.
    std::vector<RecoveredJournal> CrashAndClaim(std::unique_ptr<Instance>& instance) {
        instance.reset();
        return ClaimInNext();
    }
    // The journal files in the folder, read as they are now.
    std::vector<std::filesystem::path> JournalFiles() const {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(temp.Path() / "Recovery")) {
            if (entry.path().extension() == ".journal") files.push_back(entry.path());
        }
        return files;
    }
    JournalContents OnlyJournalOnDisk() const {
        std::vector<std::filesystem::path> files = JournalFiles();
        EXPECT_EQ(files.size(), 1u);
        if (files.empty()) return {};
        std::string bytes = temp.Read(std::filesystem::relative(files[0], temp.Path()).string());
        return ReadJournal(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }

    test::TempFolder temp;
    std::unique_ptr<Instance> next;
};

void Replace(Document& document, DocPos from, DocPos to, std::u16string_view text) {
    ReplaceCommand command(from, to, text);
    document.Execute(command);
}

// Whatever was typed, pasted, deleted, undone or redone comes back exactly,
// as a modified document whose one Undo returns to the file.
TEST_F(JournalRecorderTest, EditsComeBackAfterACrash) {
    struct Case {
        const char* what;
        bool named;
        std::function<void(Document&)> edit;
    };
    const Case cases[] = {
        {"untitled Japanese", false,
         [](Document& d) { Type(d, DocPos::At(0, 0), u"日本語のメモ\n二行目 😀 と〜"); }},
        {"typing into a note", true, [](Document& d) { Type(d, DocPos::At(1, 6), u" typed"); }},
        {"paste and delete across lines", true,
         [](Document& d) {
             Replace(d, DocPos::At(0, 5), DocPos::At(2, 1), u"PASTED\r\nTWO\rTHREE\nFOUR");
             Replace(d, DocPos::At(1, 1), DocPos::At(3, 2), u"");
         }},
        {"undo and redo", true,
         [](Document& d) {
             Type(d, DocPos::At(0, 0), u"abc");
             d.Undo();
             d.Undo();
             d.Redo();
             Replace(d, DocPos::At(kEndOfText, kEndOfText), DocPos::At(kEndOfText, kEndOfText), u"tail");
         }},
        {"a group of changes, as Replace All makes", true,
         [](Document& d) {
             CommandGroup group;
             group.Add(std::make_unique<ReplaceCommand>(DocPos::At(2, 0), DocPos::At(2, 3), u"三"));
             group.Add(std::make_unique<ReplaceCommand>(DocPos::At(0, 0), DocPos::At(0, 5), u"1st\n"));
             group.Add(std::make_unique<InsertCommand>(DocPos::At(2, 4), u"+"));
             d.Execute(group);
         }},
        {"everything deleted", true,
         [](Document& d) { Replace(d, DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText), u""); }},
    };
    for (const Case& c : cases) {
        auto instance = std::make_unique<Instance>(Folder());
        std::u16string path;
        if (c.named) {
            path = Note();
            instance->Open(path);
        }
        c.edit(instance->document);
        std::u16string expected = instance->Text();
        std::uint32_t lines = instance->document.LineCount();
        std::vector<RecoveredJournal> claimed = CrashAndClaim(instance);
        ASSERT_EQ(claimed.size(), 1u) << c.what;
        const RecoveredJournal& journal = claimed[0];
        bool modified = false;
        EXPECT_EQ(test::Rebuilt(journal, &modified), expected) << c.what;
        EXPECT_TRUE(modified) << c.what;
        EXPECT_TRUE(journal.Exact()) << c.what;
        EXPECT_EQ(journal.LineCount(), lines) << c.what;
        EXPECT_EQ(journal.Identity().path, path) << c.what;
        EXPECT_EQ(journal.BaseState(), c.named ? BaseFileState::kUnchanged : BaseFileState::kNone) << c.what;
        if (c.named) {
            Document undone;
            undone.Load(journal.OpenBaseText());
            journal.ReplayEdits(undone);
            undone.Undo();
            EXPECT_EQ(test::AllText(undone), u"first line\r\nsecond line\r\n日本語の三行目\r\n") << c.what;
        }
        next->journals.Remove(journal);
    }
}

// The journal keeps the bytes the edits were made on: a note changed or
// deleted on disk after the crash still comes back, and says so. One changed
// after it was loaded, before its bytes could be copied, is made whole with a snapshot.
TEST_F(JournalRecorderTest, ANoteChangedOnDiskComesBackAsItWasEdited) {
    enum When { kBeforeItsCopy, kAfterTheCrash, kDeletedAfterTheCrash };
    for (When when : {kBeforeItsCopy, kAfterTheCrash, kDeletedAfterTheCrash}) {
        SCOPED_TRACE(when);
        auto instance = std::make_unique<Instance>(Folder());
        instance->Open(Note());
        if (when == kBeforeItsCopy) Note("changed behind the editor's back, longer than before\r\n");
        Type(instance->document, DocPos::At(2, 3), u"追加");
        instance->recorder.FlushAndWait();  // a changed file is not what was loaded: its copy fails
        if (when == kBeforeItsCopy) {
            instance->recorder.FlushAndWait();  // so the journal is rewritten as a snapshot
            EXPECT_TRUE(OnlyJournalOnDisk().fromSnapshot);
        }
        std::u16string expected = instance->Text();
        instance.reset();
        if (when == kAfterTheCrash) Note("somebody else rewrote this note\n");
        if (when == kDeletedAfterTheCrash) std::filesystem::remove(temp.Path() / "note.txt");
        std::vector<RecoveredJournal> claimed = ClaimInNext();
        ASSERT_EQ(claimed.size(), 1u);
        EXPECT_EQ(claimed[0].BaseState(),
                  when == kDeletedAfterTheCrash ? BaseFileState::kMissing : BaseFileState::kChanged);
        EXPECT_EQ(test::Rebuilt(claimed[0]), expected);
        EXPECT_TRUE(claimed[0].Exact());
        next->journals.Remove(claimed[0]);
    }
}

// Nothing unsaved, nothing offered.
TEST_F(JournalRecorderTest, NothingUnsavedLeavesNoJournal) {
    struct Case {
        const char* what;
        std::function<void(Instance&, const std::u16string&)> act;
    };
    const Case cases[] = {
        {"opened only", [](Instance&, const std::u16string&) {}},
        {"saved",
         [](Instance& i, const std::u16string& path) {
             Type(i.document, DocPos::At(0, 0), u"saved text ");
             i.recorder.Flush();
             i.recorder.Rebase({path, charset::kUtf8, LineEnd::kCrLf});
         }},
        {"discarded",
         [](Instance& i, const std::u16string&) {
             Type(i.document, DocPos::At(0, 0), u"unwanted");
             i.recorder.FlushAndWait();
             i.recorder.Discard();
         }},
        {"undone to the saved state",
         [](Instance& i, const std::u16string&) {
             Type(i.document, DocPos::At(0, 0), u"xy");
             i.recorder.FlushAndWait();
             i.document.Undo();
             i.document.Undo();
         }},
        {"opened anew after typing",
         [](Instance& i, const std::u16string& path) {
             Type(i.document, DocPos::At(0, 0), u"xy");
             i.recorder.FlushAndWait();
             i.Open(path);
         }},
    };
    for (const Case& c : cases) {
        auto instance = std::make_unique<Instance>(Folder());
        std::u16string path = Note();
        instance->Open(path);
        c.act(*instance, path);
        EXPECT_TRUE(CrashAndClaim(instance).empty()) << c.what;
        EXPECT_TRUE(JournalFiles().empty()) << c.what;
    }
}

// A crash in the middle of a write leaves a torn last frame: the rest comes back.
TEST_F(JournalRecorderTest, ATornTailLosesOnlyTheLastFrame) {
    auto instance = std::make_unique<Instance>(Folder());
    Type(instance->document, DocPos::At(0, 0), u"ab");
    instance->recorder.FlushAndWait();
    std::u16string beforeLast = instance->Text();
    Type(instance->document, DocPos::At(0, 2), u"c");
    instance.reset();
    std::filesystem::path file = JournalFiles().at(0);
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 3);
    std::vector<RecoveredJournal> claimed = ClaimInNext();
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_EQ(test::Rebuilt(claimed[0]), beforeLast);
    EXPECT_FALSE(claimed[0].Exact());
}

// A restored document goes on recording into the journal it came from,
// after cutting off a torn tail, and comes back again after a second crash.
TEST_F(JournalRecorderTest, ARestoredDocumentKeepsItsJournal) {
    auto instance = std::make_unique<Instance>(Folder());
    instance->Open(Note());
    Type(instance->document, DocPos::At(0, 0), u"one ");
    instance.reset();
    std::filesystem::path file = JournalFiles().at(0);
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 1);  // a torn tail
    for (const char16_t* more : {u"two ", u"three "}) {
        std::vector<RecoveredJournal> claimed = ClaimInNext();
        ASSERT_EQ(claimed.size(), 1u);
        next->Restore(claimed[0]);
        Type(next->document, DocPos::At(0, 0), more);
        std::u16string expected = next->Text();
        instance = std::move(next);
        std::vector<RecoveredJournal> again = CrashAndClaim(instance);
        ASSERT_EQ(again.size(), 1u);
        EXPECT_EQ(test::Rebuilt(again[0]), expected);
        EXPECT_TRUE(again[0].Exact());
        next.reset();
    }
    EXPECT_EQ(JournalFiles().size(), 1u);
}

// A text of unknown origin (loaded without Rebase) opens its journal with a
// snapshot; a renamed document comes back under its new name.
TEST_F(JournalRecorderTest, UnknownTextsSnapshotAndRenamesAreKept) {
    auto instance = std::make_unique<Instance>(Folder());
    test::Load(instance->document, u"loaded from somewhere\nelse");
    Type(instance->document, DocPos::At(1, 0), u"something ");
    instance->recorder.FlushAndWait();
    instance->recorder.Rename({u"C:\\new\\name.txt", charset::kUtf16LeBom, LineEnd::kLf});
    std::u16string expected = instance->Text();
    std::vector<RecoveredJournal> claimed = CrashAndClaim(instance);
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_TRUE(claimed[0].Contents().fromSnapshot);
    EXPECT_EQ(test::Rebuilt(claimed[0]), expected);
    EXPECT_EQ(claimed[0].Identity().path, u"C:\\new\\name.txt");
    EXPECT_EQ(claimed[0].Identity().charset, charset::kUtf16LeBom);
    EXPECT_EQ(claimed[0].Identity().lineEnd, LineEnd::kLf);
}

// Frames grown past twice the text are rewritten as one snapshot.
TEST_F(JournalRecorderTest, LongJournalsAreCompacted) {
    auto instance = std::make_unique<Instance>(Folder());
    const std::u16string page(300000, u'p');
    for (int i = 0; i < 4; ++i) {
        Replace(instance->document, DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText), page);
        instance->recorder.FlushAndWait();
    }
    JournalContents contents = OnlyJournalOnDisk();
    EXPECT_TRUE(contents.fromSnapshot);
    EXPECT_LE(contents.validBytes, 2 * (2 * page.size() + 1000));  // a snapshot and one edit, not four
    std::u16string expected = instance->Text();
    std::vector<RecoveredJournal> claimed = CrashAndClaim(instance);
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_EQ(test::Rebuilt(claimed[0]), expected);
}

// The recorder hands its frames over by itself after 200 units; the rest
// waits for Flush, or for the last resort. Typing on grows one frame.
TEST_F(JournalRecorderTest, FramesReachTheDiskAfter200UnitsFlushOrTheLastResort) {
    Instance instance(Folder());
    auto onDisk = [&] {
        JournalContents contents = OnlyJournalOnDisk();
        Document replayed;
        for (const JournalEdit& edit : contents.edits) Replace(replayed, edit.start, edit.oldEnd, edit.text);
        return test::AllText(replayed);
    };
    DocPos caret = Type(instance.document, DocPos::At(0, 0), std::u16string(150, u'a'));
    instance.journals.WaitUntilWritten();
    EXPECT_TRUE(JournalFiles().empty());
    caret = Type(instance.document, caret, std::u16string(60, u'b'));
    instance.journals.WaitUntilWritten();
    EXPECT_EQ(onDisk().substr(0, 200), std::u16string(150, u'a') + std::u16string(50, u'b'));
    EXPECT_EQ(OnlyJournalOnDisk().edits.size(), 1u);
    caret = Type(instance.document, caret, u"\ncc");
    instance.recorder.FlushAndWait();
    EXPECT_EQ(onDisk(), instance.Text());
    Type(instance.document, DocPos::At(0, 3), u"ddd");
    EXPECT_TRUE(instance.journals.WriteQueuedWithoutAllocating());
    EXPECT_EQ(onDisk(), instance.Text());
    Type(instance.document, DocPos::At(0, 6), u"e");
    instance.recorder.FlushAndWait();
    EXPECT_EQ(onDisk(), instance.Text());
    instance.recorder.Discard();
}

}  // namespace
}  // namespace pathbook
