// A file's identity at one moment against another: written to, replaced by
// another file of the same size and time, deleted, made anew.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"
#include "textfile/file_change.h"

namespace pathbook {
namespace {

using platform::ReadFileIdentity;
using test::TempFolder;

TEST(FileChangeTest, TellsWritesReplacementsAndDeletions) {
    TempFolder folder;
    std::u16string path = folder.File("note.txt");
    platform::FileIdentity missing = ReadFileIdentity(path.c_str());
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(ChangeSince(missing, ReadFileIdentity(path.c_str())), FileChange::kUnchanged);

    folder.Write("note.txt", "first");
    platform::FileIdentity loaded = ReadFileIdentity(path.c_str());
    EXPECT_TRUE(loaded.exists);
    EXPECT_EQ(loaded.size, 5u);
    EXPECT_EQ(ChangeSince(missing, loaded), FileChange::kChanged);
    EXPECT_EQ(ChangeSince(loaded, ReadFileIdentity(path.c_str())), FileChange::kUnchanged);

    folder.Write("note.txt", "second");
    EXPECT_EQ(ChangeSince(loaded, ReadFileIdentity(path.c_str())), FileChange::kChanged);

    // Another file renamed over it, with the same size and time: only its number differs.
    platform::FileIdentity before = ReadFileIdentity(path.c_str());
    folder.Write("other.txt", "SECOND");
    std::filesystem::last_write_time(folder.Path() / "other.txt",
                                     std::filesystem::last_write_time(folder.Path() / "note.txt"));
    std::filesystem::rename(folder.Path() / "other.txt", folder.Path() / "note.txt");
    platform::FileIdentity replaced = ReadFileIdentity(path.c_str());
    EXPECT_EQ(replaced.size, before.size);
    EXPECT_EQ(ChangeSince(before, replaced), FileChange::kChanged);

    std::filesystem::remove(folder.Path() / "note.txt");
    EXPECT_EQ(ChangeSince(replaced, ReadFileIdentity(path.c_str())), FileChange::kDeleted);
}

TEST(FileChangeTest, WithoutAFileNumberSizeAndTimeDecide) {
    platform::FileIdentity seen{true, 10, 1000, 0, 0};
    EXPECT_EQ(ChangeSince(seen, {true, 10, 1000, 77, 1}), FileChange::kUnchanged);
    EXPECT_EQ(ChangeSince(seen, {true, 10, 1001, 77, 1}), FileChange::kChanged);
    EXPECT_EQ(ChangeSince(seen, {true, 11, 1000, 0, 0}), FileChange::kChanged);
    EXPECT_EQ(ChangeSince({true, 10, 1000, 5, 1}, {true, 10, 1000, 5, 2}), FileChange::kChanged);
}

}  // namespace
}  // namespace pathbook
