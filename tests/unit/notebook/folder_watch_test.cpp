// The platform's folder listing and folder watch beneath the notebook, and
// its local data folder.
#include "platform/folder_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>

#include "notebook_folder.h"
#include "platform/file_stamp.h"
#include "platform/folder_listing.h"
#include "platform/local_data.h"

namespace pathbook {
namespace {

TEST(FolderListingTest, EntriesStampsAndNewFolders) {
    test::NotebookFolder folder;
    folder.Write("a.txt", "abc");
    folder.Write("sub/b.txt", "");
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(folder.Root().c_str(), &entries));
    std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.name < y.name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, u"a.txt");
    EXPECT_EQ(entries[0].size, 3u);
    EXPECT_FALSE(entries[0].isFolder);
    const platform::FileStamp stamp = platform::QueryFileStamp(folder.Path("a.txt").c_str());
    EXPECT_EQ(static_cast<platform::WriteTime>(stamp.writeTime), entries[0].writeTime) << "one clock for both";
    EXPECT_EQ(entries[1].name, u"sub");
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_FALSE(platform::ListFolder(folder.Path("missing").c_str(), &entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(platform::ListFolder(folder.Path("a.txt").c_str(), &entries));
    EXPECT_TRUE(platform::MakeFolders(folder.Path("x/y/z").c_str()));
    EXPECT_TRUE(platform::MakeFolders(folder.Path("x/y").c_str()));
    EXPECT_FALSE(platform::MakeFolders(folder.Path("a.txt/c").c_str()));
    EXPECT_TRUE(platform::ListFolder(folder.Path("x/y/z").c_str(), &entries));
}

TEST(FolderWatchTest, ChangesAtAnyDepthAndStop) {
    test::NotebookFolder folder;
    folder.Write("sub/a.txt", "a");
    platform::FolderWatch watch;
    ASSERT_TRUE(watch.Start(folder.Root().c_str()));
    EXPECT_EQ(watch.Wait(10), platform::WatchEvent::kTimedOut);
    folder.Write("sub/a.txt", "changed");
    EXPECT_EQ(watch.Wait(10000), platform::WatchEvent::kChanged);
    folder.Write("new/deeper/b.txt", "b");  // a folder made after Start
    EXPECT_EQ(watch.Wait(10000), platform::WatchEvent::kChanged);
    folder.Write("new/deeper/b.txt", "bb");
    EXPECT_EQ(watch.Wait(10000), platform::WatchEvent::kChanged);
    auto waiting = std::async(std::launch::async, [&watch] { return watch.Wait(platform::kWaitForever); });
    watch.Stop();
    EXPECT_EQ(waiting.get(), platform::WatchEvent::kStopped);
    EXPECT_EQ(watch.Wait(0), platform::WatchEvent::kStopped);

    platform::FolderWatch nothing;
    EXPECT_FALSE(nothing.Start(folder.Path("missing").c_str()));
    EXPECT_EQ(nothing.Wait(0), platform::WatchEvent::kStopped);
}

TEST(LocalDataTest, APathOfItsOwn) {
    const std::u16string folder = platform::LocalDataFolder();
    ASSERT_GT(folder.size(), 9u);
    std::u16string name = folder.substr(folder.size() - 8);
    std::transform(name.begin(), name.end(), name.begin(), [](char16_t c) { return c | 0x20; });
    EXPECT_EQ(name, u"pathbook");
    EXPECT_EQ(folder[folder.size() - 9], u'\\');
    EXPECT_EQ(folder.find(u'/'), std::u16string::npos);
}

}  // namespace
}  // namespace pathbook
