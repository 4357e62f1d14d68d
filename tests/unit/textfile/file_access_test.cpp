#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file_mapping.h"
#include "support/temp_folder.h"
#include "textfile/file_change.h"
#include "textfile/file_writer.h"
#include "textfile/mapped_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#endif

namespace pathbook {
namespace {

using platform::ReadFileIdentity;
using test::TempFolder;

template <typename Mapping>
std::string Contents(const Mapping& file) {
    return std::string(reinterpret_cast<const char*>(file.Data()), file.Size());
}

// Writes `text` to `name` through a writer and closes it: whether the save held.
bool Save(const TempFolder& folder, const std::string& name, const std::string& text, FileWriter& writer) {
    if (!writer.Open(folder.File(name).c_str())) return false;
    writer.WriteBytes(text.data(), text.size());
    return writer.Close();
}

// Released pages are read from the file again when touched (a file larger
// than those read whole, so that it is mapped).
TEST(MappedFileTest, ReleasedBytesReadTheSame) {
    std::string text;
    for (int i = 0; i < 3000000; ++i) text += static_cast<char>('a' + i % 26);
    TempFolder folder;
    folder.Write("a.txt", text);
    MappedFile file;
    ASSERT_TRUE(file.Open(folder.File("a.txt").c_str()));
    const std::string before = Contents(file);
    file.ReleaseBefore(file.Data() + 1700000);
    file.ReleaseBefore(file.Data() + file.Size());
    EXPECT_EQ(Contents(file), before);
    EXPECT_EQ(before, text);
}

// A small file is read whole at once: what happens to the file afterwards
// (cut short, a share gone) cannot make a read of its bytes fail.
TEST(FileMappingTest, ASmallFileIsReadAtOnceAndALargeOneMapped) {
    TempFolder folder;
    const std::string small(platform::kReadWholeBytes, 's');
    const std::string large(platform::kReadWholeBytes + 1, 'l');
    folder.Write("small.txt", small);
    folder.Write("large.txt", large);
    platform::FileMapping smallFile;
    platform::FileMapping largeFile;
    ASSERT_TRUE(smallFile.Open(folder.File("small.txt").c_str()));
    ASSERT_TRUE(largeFile.Open(folder.File("large.txt").c_str()));
    folder.Write("small.txt", "");
    EXPECT_EQ(Contents(smallFile), small);
    EXPECT_EQ(Contents(largeFile), large);
    EXPECT_FALSE(smallFile.ReadFailed());
    EXPECT_FALSE(largeFile.ReadFailed());
}

#ifdef _WIN32
// A mapped file cut short behind the reader's back: reading the bytes that
// went raises a page error, which fails the read instead of ending the
// program. Where the system refuses to cut a mapped file, there is nothing to see.
TEST(FileMappingTest, APageThatCannotBeReadFailsTheReadNotTheProgram) {
    TempFolder folder;
    folder.Write("large.txt", std::string(4 * platform::kReadWholeBytes, 'l'));
    platform::FileMapping file;
    ASSERT_TRUE(file.Open(folder.File("large.txt").c_str()));
    HANDLE cutter = CreateFileW(reinterpret_cast<const wchar_t*>(folder.File("large.txt").c_str()), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(cutter, INVALID_HANDLE_VALUE);
    const bool cut = SetEndOfFile(cutter) != FALSE;
    CloseHandle(cutter);
    if (!cut) GTEST_SKIP() << "the system does not cut a mapped file";
    std::uint32_t sum = 0;
    for (std::uint64_t at = 0; at < file.Size(); at += 4096) sum += file.Data()[at];
    EXPECT_TRUE(file.ReadFailed());
    EXPECT_LT(sum, 'l' * (file.Size() / 4096)) << "the bytes that could not be read read as zeros";
    file.Close();
    EXPECT_TRUE(file.Open(folder.File("large.txt").c_str())) << "an empty file opens again";
    EXPECT_EQ(file.Size(), 0u);
}
#endif

// A whole file, an empty one with a pointer all the same; a missing file or
// a folder fails and leaves it closed.
TEST(MappedFileTest, MapsTheWholeFileOrNothing) {
    TempFolder folder;
    folder.Write("a.txt", "hello\r\nworld");
    folder.Write("empty.txt", "");
    MappedFile file;
    ASSERT_TRUE(file.Open(folder.File("a.txt").c_str()));
    EXPECT_EQ(Contents(file), "hello\r\nworld");
    ASSERT_TRUE(file.Open(folder.File("empty.txt").c_str()));
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_NE(file.Data(), nullptr);
    ASSERT_TRUE(file.Open(folder.File("a.txt").c_str()));
    EXPECT_FALSE(file.Open(folder.File("missing.txt").c_str()));
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_FALSE(file.Open(folder.Path().u16string().c_str()));
    file.Close();
    file.Close();
}

TEST(FileWriterTest, WritesBytesThroughTheBufferAcrossFlushes) {
    TempFolder folder;
    std::string expected;
    {
        FileWriter writer;
        ASSERT_TRUE(writer.Open(folder.File("out.bin").c_str()));
        for (int i = 0; i < 70000; ++i) {
            auto byte = static_cast<std::uint8_t>(i * 7);
            writer.WriteByte(byte);
            expected.push_back(static_cast<char>(byte));
        }
        std::string block(FileWriter::kCapacity * 2 + 3, 'x');
        writer.WriteBytes(block.data(), block.size());
        expected += block;
        EXPECT_TRUE(writer.Close());
        EXPECT_TRUE(writer.Close());  // a second close writes nothing again
    }
    EXPECT_EQ(folder.Read("out.bin"), expected);
    EXPECT_EQ(folder.EntryCount(), 1u);  // no temporary file is left behind
    FileWriter exact;
    const std::string full(FileWriter::kCapacity, 'y');
    ASSERT_TRUE(Save(folder, "full.bin", full, exact));
    EXPECT_EQ(folder.Read("full.bin"), full) << "exactly one buffer full";
}

TEST(FileWriterTest, ReplacesAnExistingFileOnlyAtClose) {
    TempFolder folder;
    folder.Write("note.txt", "original text");
    FileWriter writer;
    ASSERT_TRUE(writer.Open(folder.File("note.txt").c_str()));
    writer.WriteBytes("new", 3);
    EXPECT_EQ(folder.Read("note.txt"), "original text");
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(writer.Outcome(), platform::CommitResult::kReplaced);
    EXPECT_EQ(folder.Read("note.txt"), "new");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(FileWriterTest, AWriterNeverOpenedOrThatCouldNotOpenClosesAsNothing) {
    FileWriter never;
    EXPECT_TRUE(never.Close());
    EXPECT_FALSE(never.IsOpen());
    TempFolder folder;
    FileWriter writer;
    EXPECT_FALSE(writer.Open(folder.File("no-such-folder/out.txt").c_str()));
    EXPECT_TRUE(writer.Close());
}

// A file's identity at one moment against another: written to, replaced by
// another file of the same size and time, deleted, made anew.
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

#ifdef _WIN32
std::wstring Wide(const std::u16string& path) { return std::wstring(path.begin(), path.end()); }

// Another program holds the file open without letting it be moved: the save
// fails with the system's reason, and the file and the folder are as they were.
TEST(FileWriterTest, ATargetInUseIsLeftWholeAndNothingIsLeftBehind) {
    TempFolder folder;
    folder.Write("note.txt", "theirs");
    HANDLE held = CreateFileW(Wide(folder.File("note.txt")).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileWriter writer;
    EXPECT_FALSE(Save(folder, "note.txt", "mine", writer));
    CloseHandle(held);
    EXPECT_EQ(writer.Outcome(), platform::CommitResult::kTargetKept);
    EXPECT_EQ(writer.Error(), static_cast<platform::SystemError>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(folder.Read("note.txt"), "theirs");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(FileWriterTest, AReplacedFileKeepsItsAttributesAndAReadOnlyOneIsRefused) {
    TempFolder folder;
    folder.Write("hidden.txt", "old");
    std::wstring hidden = Wide(folder.File("hidden.txt"));
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    FileWriter writer;
    ASSERT_TRUE(Save(folder, "hidden.txt", "new", writer));
    EXPECT_EQ(GetFileAttributesW(hidden.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(folder.Read("hidden.txt"), "new");

    folder.Write("locked.txt", "keep");
    std::wstring locked = Wide(folder.File("locked.txt"));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Save(folder, "locked.txt", "lost", writer));
    EXPECT_EQ(writer.Error(), static_cast<platform::SystemError>(ERROR_ACCESS_DENIED));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.Read("locked.txt"), "keep");
    EXPECT_EQ(folder.EntryCount(), 2u);
}
#else
// A file-size limit makes the system refuse writes part-way, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_;
    void (*previousHandler_)(int);
};

TEST(FileWriterTest, AFailedWriteReportsFailureAndKeepsTheOriginal) {
    TempFolder folder;
    folder.Write("note.txt", "precious");
    FileWriter writer;
    ASSERT_TRUE(writer.Open(folder.File("note.txt").c_str()));
    {
        FileSizeLimit limit(100000);
        std::string block(300000, 'z');
        writer.WriteBytes(block.data(), block.size());
        EXPECT_FALSE(writer.Close());
    }
    EXPECT_TRUE(writer.Failed());
    EXPECT_EQ(writer.Outcome(), platform::CommitResult::kWriteFailed);
    EXPECT_EQ(writer.Error(), static_cast<platform::SystemError>(EFBIG));
    EXPECT_EQ(folder.Read("note.txt"), "precious");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(FileWriterTest, AReplacedFileKeepsItsPermissionsAndAReadOnlyOneIsRefused) {
    TempFolder folder;
    folder.Write("note.txt", "old");
    std::filesystem::permissions(folder.Path() / "note.txt", std::filesystem::perms(0640));
    FileWriter writer;
    ASSERT_TRUE(Save(folder, "note.txt", "new", writer));
    EXPECT_EQ(std::filesystem::status(folder.Path() / "note.txt").permissions(), std::filesystem::perms(0640));
    std::filesystem::permissions(folder.Path() / "note.txt", std::filesystem::perms(0444));
    ASSERT_TRUE(writer.Open(folder.File("note.txt").c_str()));
    writer.WriteBytes("lost", 4);
    EXPECT_FALSE(writer.Close());
    EXPECT_EQ(writer.Error(), static_cast<platform::SystemError>(EACCES));
    EXPECT_EQ(folder.Read("note.txt"), "new");
    EXPECT_EQ(folder.EntryCount(), 1u);
}
#endif

}  // namespace
}  // namespace pathbook
