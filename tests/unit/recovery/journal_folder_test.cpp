// Journals between instances: names, living and dead owners, claiming each
// orphan once (also by real processes racing), what a claim tidies and what
// it leaves, handing a journal over, and the folder itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_stamp.h"
#include "platform/folder_listing.h"
#include "platform/local_data.h"
#include "recovery_support.h"
#include "runtime/utf8.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::Instance;
using test::Type;

class JournalFolderTest : public ::testing::Test {
protected:
    std::u16string Folder() const { return temp.File("Recovery"); }
    std::filesystem::path FolderPath() const { return temp.Path() / "Recovery"; }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(FolderPath())) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    // An instance with an untitled note holding `text` (pasted), ended as by a crash.
    void LeaveNote(const std::u16string& text) {
        Instance instance(Folder());
        test::InsertAt(instance.document, DocPos::At(0, 0), text);
    }
    static std::vector<std::u16string> Texts(const std::vector<RecoveredJournal>& journals) {
        std::vector<std::u16string> texts;
        for (const RecoveredJournal& journal : journals) texts.push_back(test::Rebuilt(journal));
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    test::TempFolder temp;
};

TEST(JournalNamesTest, OnlyTheFoldersOwnNamesAreRecognised) {
    struct Case {
        const char16_t* name;
        bool recognised;
        JournalFileKind kind;
        std::uint32_t serial;
    };
    const Case cases[] = {
        {u"0123456789abcdef.owner", true, JournalFileKind::kOwner, 0},
        {u"0123456789abcdef-1.journal", true, JournalFileKind::kJournal, 1},
        {u"0123456789abcdef-42.base", true, JournalFileKind::kBaseCopy, 42},
        {u"0123456789abcdef-999999999.compact", true, JournalFileKind::kRewrite, 999999999},
        {u"0123456789ABCDEF-1.journal", false, {}, 0},
        {u"0123456789abcde-1.journal", false, {}, 0},
        {u"0123456789abcdef-01.journal", false, {}, 0},
        {u"0123456789abcdef-.journal", false, {}, 0},
        {u"0123456789abcdef-1.owner", false, {}, 0},
        {u"0123456789abcdef.journal", false, {}, 0},
        {u"0123456789abcdef-1.journal.txt", false, {}, 0},
        {u"0123456789abcdef-1234567890.journal", false, {}, 0},
        {u"notes.txt", false, {}, 0},
    };
    for (const Case& c : cases) {
        JournalFileName name;
        ASSERT_EQ(ParseJournalFileName(c.name, &name), c.recognised) << Utf16ToUtf8(c.name);
        if (!c.recognised) continue;
        EXPECT_EQ(name.owner, u"0123456789abcdef");
        EXPECT_EQ(name.kind, c.kind);
        EXPECT_EQ(name.serial, c.serial);
    }
    std::u16string owner = NewOwnerName();
    JournalFileName parsed;
    EXPECT_TRUE(ParseJournalFileName(owner + u".owner", &parsed));
    EXPECT_NE(NewOwnerName(), owner);
}

// Living instances keep their journals; an ended one's are claimed once.
TEST_F(JournalFolderTest, LivingOwnersKeepTheirJournalsAndOrphansAreClaimedOnce) {
    Instance first(Folder());
    auto second = std::make_unique<Instance>(Folder());
    Type(first.document, DocPos::At(0, 0), u"first");
    Type(second->document, DocPos::At(0, 0), u"second");
    first.recorder.FlushAndWait();
    second->recorder.FlushAndWait();
    EXPECT_TRUE(first.journals.ClaimOrphans().empty());
    EXPECT_TRUE(second->journals.ClaimOrphans().empty());
    second.reset();
    std::vector<RecoveredJournal> claimed = first.journals.ClaimOrphans();
    EXPECT_EQ(Texts(claimed), std::vector<std::u16string>{u"second"});
    Instance third(Folder());
    EXPECT_TRUE(third.journals.ClaimOrphans().empty());
    first.journals.Remove(claimed.at(0));
    first.recorder.Discard();
}

// Processes that die leave journals; two processes starting at once claim
// every one of them, and none twice.
TEST_F(JournalFolderTest, RacingProcessesClaimEachOrphanOnce) {
    const std::string worker = test::ProgramPath(PATHBOOK_JOURNAL_WORKER);
    const std::string folder = Utf16ToUtf8(Folder());
    std::multiset<std::string> expected;
    for (int owner = 0; owner < 4; ++owner) {
        test::ChildProcess leaver;
        std::string tag = "owner" + std::to_string(owner);
        ASSERT_TRUE(leaver.Start(worker, {"leave", folder, "3", tag}));
        ASSERT_EQ(leaver.Wait(std::chrono::seconds(60)), 0);
        for (int i = 0; i < 3; ++i) expected.insert(tag + "-" + std::to_string(i) + " 日本語");
    }
    test::ChildProcess claimers[2];
    for (int c = 0; c < 2; ++c) {
        std::string out = Utf16ToUtf8(temp.File("claimed" + std::to_string(c)));
        ASSERT_TRUE(claimers[c].Start(worker, {"claim", folder, Utf16ToUtf8(temp.File("go")), out}));
    }
    temp.Write("go", "");
    std::multiset<std::string> claimed;
    for (int c = 0; c < 2; ++c) {
        ASSERT_EQ(claimers[c].Wait(std::chrono::seconds(60)), 0);
        std::istringstream lines(temp.Read("claimed" + std::to_string(c)));
        for (std::string line; std::getline(lines, line);) claimed.insert(line);
    }
    EXPECT_EQ(claimed, expected);
    EXPECT_TRUE(Entries().empty());
}

// A claim deletes what a dead owner left besides journals and the journals
// that hold nothing to restore, restores the rest, and leaves strangers alone.
TEST_F(JournalFolderTest, AClaimTidiesADeadOwnersFilesOnly) {
    LeaveNote(u"good one");
    LeaveNote(u"good two");
    LeaveNote(u"damaged");
    std::string dead;
    for (const std::string& name : Entries()) {
        if (name.size() > 8 && name.compare(name.size() - 8, 8, ".journal") == 0) {
            std::ifstream in(FolderPath() / name, std::ios::binary);
            std::string bytes((std::istreambuf_iterator<char>(in)), {});
            if (bytes.find("d\0a\0m\0", 0, 6) == std::string::npos) continue;
            std::fstream out(FolderPath() / name, std::ios::binary | std::ios::in | std::ios::out);
            out.seekp(20);
            out.put('\x7F');  // inside the header: nothing in it can be trusted
            dead = name.substr(0, 16);
        }
    }
    ASSERT_FALSE(dead.empty());
    temp.Write("Recovery/" + dead + "-77.compact", "half a rewrite");
    temp.Write("Recovery/" + dead + "-78.base", "a copy without its journal");
    temp.Write("Recovery/notes.txt", "not ours");
    temp.Write("Recovery/fedcba9876543210-5.base", "an ownerless copy");
    Instance claimer(Folder());
    std::vector<RecoveredJournal> claimed = claimer.journals.ClaimOrphans();
    EXPECT_EQ(Texts(claimed), (std::vector<std::u16string>{u"good one", u"good two"}));
    for (const RecoveredJournal& journal : claimed) claimer.journals.Remove(journal);
    std::string self = Utf16ToUtf8(claimer.journals.OwnerName());
    EXPECT_EQ(Entries(), (std::set<std::string>{self + ".owner", "notes.txt", "fedcba9876543210-5.base"}));
}

// A journal another instance hands over moves to the taker.
TEST_F(JournalFolderTest, AJournalCanBeHandedOver) {
    LeaveNote(u"handed over");
    Instance giver(Folder());
    std::vector<RecoveredJournal> claimed = giver.journals.ClaimOrphans();
    ASSERT_EQ(claimed.size(), 1u);
    Instance taker(Folder());
    RecoveredJournal taken;
    ASSERT_TRUE(taker.journals.TakeOver(claimed[0].Paths().journal, &taken));
    EXPECT_EQ(test::Rebuilt(taken), u"handed over");
    EXPECT_FALSE(platform::QueryFileStamp(claimed[0].Paths().journal.c_str()).exists);
    EXPECT_FALSE(taker.journals.TakeOver(claimed[0].Paths().journal, &taken));
    taker.journals.Remove(taken);
}

// An instance that ends with nothing unsaved leaves the folder as it found it.
TEST_F(JournalFolderTest, ANormalEndLeavesNothing) {
    {
        Instance instance(Folder());
        Type(instance.document, DocPos::At(0, 0), u"typed, then not wanted");
        instance.recorder.FlushAndWait();
        EXPECT_EQ(Entries().size(), 2u);  // the owner file and the journal
        instance.recorder.Discard();
    }
    EXPECT_TRUE(Entries().empty());
    std::vector<platform::FolderEntry> files;
    EXPECT_TRUE(platform::ListFolder(Folder().c_str(), &files));
    EXPECT_TRUE(files.empty());
}

// Without a usable folder nothing is recorded and nothing fails.
TEST_F(JournalFolderTest, AnUnusableFolderKeepsNothing) {
    temp.Write("blocked", "a file where the folder should be");
    Instance instance(temp.File("blocked") + u"\\Recovery");
    EXPECT_FALSE(instance.journals.IsOpen());
    Type(instance.document, DocPos::At(0, 0), u"nowhere to go");
    instance.recorder.FlushAndWait();
    EXPECT_TRUE(instance.journals.ClaimOrphans().empty());
    EXPECT_TRUE(instance.journals.WriteQueuedWithoutAllocating());
}

TEST(RecoveryFolderTest, IsTheRecoveryFolderOfTheLocalData) {
    std::u16string folder = DefaultRecoveryFolder();
    ASSERT_GT(folder.size(), 9u);
    EXPECT_EQ(folder.substr(folder.size() - 9), u"\\Recovery");
    EXPECT_EQ(folder.substr(0, folder.size() - 9), platform::LocalDataFolder());
}

}  // namespace
}  // namespace pathbook
