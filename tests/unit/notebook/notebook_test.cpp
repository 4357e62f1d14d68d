// The notebook engine: its thread builds, rechecks and updates the index, its
// folder watch asks for rechecks, its listener hears of each, its cache lasts.
#include "notebook/notebook.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "notebook/index_cache.h"
#include "notebook/links_here.h"
#include "notebook_folder.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kPatience = 20000;  // ms: how long a test waits for the engine's thread

class Ear : public NotebookListener {
public:
    void OnIndexProgress(std::uint32_t done, std::uint32_t total) override {
        lastDone = done;
        lastTotal = total;
        ++progress;
    }
    void OnIndexChanged() override { ++changed; }
    std::atomic<int> progress{0};
    std::atomic<int> changed{0};
    std::atomic<std::uint32_t> lastDone{0};
    std::atomic<std::uint32_t> lastTotal{0};
};

class NotebookTest : public ::testing::Test {
protected:
    NotebookTest() {
        folder.Write("Home.txt", "<.\\a.txt>\n");
        folder.Write("a.txt", "text\n");
        folder.Write("sub/b.txt", "<..\\a.txt>\n");
    }
    NotebookOptions Options(bool watch) const {
        NotebookOptions options;
        options.watchFolders = watch;
        options.cacheFolder = std::u16string(test::WindowsForm(cache.Path()).View());
        return options;
    }
    std::size_t LinksTo(const Notebook& notebook, const std::string& note) const {
        return LinksHere(*notebook.Current(), folder.Path(note)).size();
    }
    // Waits until `condition` holds, at most kPatience ms.
    template <typename Condition>
    static bool Eventually(Condition condition) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatience);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    test::NotebookFolder folder;
    test::TempFolder cache;
    Ear ear;
};

TEST_F(NotebookTest, OpenBuildsOffTheCallersThread) {
    Notebook notebook(&ear, Options(false));
    EXPECT_TRUE(notebook.Current()->Entries().empty());
    notebook.Open(folder.Root(), u"*.txt");
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_EQ(notebook.Current()->Counts().notes, 3u);
    EXPECT_EQ(LinksTo(notebook, "a.txt"), 2u);
    EXPECT_EQ(ear.changed, 1);
    EXPECT_GE(ear.progress, 1);
    EXPECT_EQ(ear.lastDone, 3u);
    EXPECT_EQ(ear.lastTotal, 3u);
    EXPECT_FALSE(notebook.Progress().busy);
    // The build left its cache behind for the next time.
    EXPECT_NE(LoadIndexCache(IndexCachePath(Options(false).cacheFolder, folder.Root(), u"*.txt")), nullptr);
}

TEST_F(NotebookTest, SavesRechecksAndReopening) {
    Notebook notebook(&ear, Options(false));
    notebook.Open(folder.Root(), u"*.txt");
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    const IndexPointer first = notebook.Current();

    // A save that keeps the file's time is read all the same.
    const auto time = std::filesystem::last_write_time(folder.Native("sub/b.txt"));
    folder.Write("sub/b.txt", "<..\\Home.txt>");
    std::filesystem::last_write_time(folder.Native("sub/b.txt"), time);
    notebook.NoteSaved(folder.Path("sub/b.txt"));
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_EQ(LinksTo(notebook, "a.txt"), 1u);
    EXPECT_EQ(LinksTo(notebook, "Home.txt"), 1u);

    folder.Write("sub/c.txt", "<..\\a.txt>");
    folder.Remove("Home.txt");
    EXPECT_EQ(LinksTo(notebook, "a.txt"), 1u);  // nothing is watched: only a recheck sees it
    notebook.Recheck();
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_EQ(LinksTo(notebook, "a.txt"), 1u);
    EXPECT_EQ(notebook.Current()->Find(folder.Path("Home.txt")), nullptr);
    EXPECT_NE(notebook.Current()->Find(folder.Path("sub/c.txt")), nullptr);
    EXPECT_EQ(notebook.Current()->Find(folder.Path("a.txt")), first->Find(folder.Path("a.txt")));

    const int changes = ear.changed;
    notebook.Open(folder.Root() + u"\\", u"*.txt");  // the same notebook: only a recheck, which finds nothing
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_EQ(ear.changed, changes);
    notebook.Open(folder.Path("sub"), u"*.txt");
    EXPECT_TRUE(notebook.Current()->Entries().empty());
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_EQ(notebook.Current()->Counts().notes, 2u);
    notebook.Close();
    EXPECT_TRUE(notebook.Current()->Entries().empty());
    notebook.NoteSaved(folder.Path("a.txt"));
    notebook.Recheck();
    EXPECT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_TRUE(notebook.Current()->Entries().empty());
}

TEST_F(NotebookTest, TheFolderWatchFollowsChangesFromElsewhere) {
    Notebook notebook(&ear, Options(true));
    notebook.Open(folder.Root(), u"*.txt");
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    folder.Write("sub/deep/new.txt", "<..\\..\\a.txt>");
    EXPECT_TRUE(Eventually([&] { return LinksTo(notebook, "a.txt") == 3; }));
    folder.Write("a.txt", "<.\\a.txt>");
    EXPECT_TRUE(Eventually([&] { return LinksTo(notebook, "a.txt") == 4; }));
}

TEST_F(NotebookTest, AFolderThatCannotBeReadLeavesAnEmptyIndex) {
    Notebook notebook(&ear, Options(true));
    notebook.Open(folder.Path("missing"), u"*.txt");
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_TRUE(notebook.Current()->Entries().empty());
    notebook.Open(folder.Root(), u"*.txt");
    notebook.Cancel();
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    const std::size_t entries = notebook.Current()->Entries().size();
    EXPECT_TRUE(entries == 0 || entries == 3) << entries;  // never a part
    notebook.Recheck();
    ASSERT_TRUE(notebook.WaitUntilIdle(kPatience));
    EXPECT_EQ(notebook.Current()->Entries().size(), 3u);
}

}  // namespace
}  // namespace pathbook
