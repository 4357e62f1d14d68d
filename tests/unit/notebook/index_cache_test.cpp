// The index cache: what it keeps survives the round trip, a damaged head is
// no cache and a damaged text is never taken for its note's, and a build from
// it reads only the files that changed.
#include "notebook/index_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "links/link_test_support.h"
#include "notebook/notes_search.h"
#include "notebook_folder.h"

namespace pathbook {
namespace {

using test::Hex;

class IndexCacheTest : public ::testing::Test {
protected:
    IndexCacheTest() {
        folder.Write("a.txt", "<.\\b.txt> text\n<#c.txt>\n");
        folder.Write("sub/b.txt", "x\n" + Hex("e6 97 a5 e6 9c ac") + " <..\\a.txt>\n");
        folder.Write("bin.txt", std::string("\0\1", 2));
        folder.Write("empty.txt", "");
        cachePath = IndexCachePath(std::u16string(test::WindowsForm(cache.Path()).View()), folder.Root(), u"*.txt");
    }

    IndexPointer Build(const NotebookIndex* previous = nullptr) {
        IndexWork work;
        return BuildIndex(folder.Root(), u"*.txt", previous, work);
    }

    IndexPointer BuildCached() {
        IndexWork work;
        return BuildCachedIndex(folder.Root(), u"*.txt", nullptr, cachePath, work);
    }

    // In place, the bytes kept by the index, or copied.
    static IndexPointer Decode(const std::string& bytes, bool inPlace = false) {
        auto kept = std::make_shared<const std::string>(bytes);
        return DecodeIndex(reinterpret_cast<const std::uint8_t*>(kept->data()), kept->size(),
                           inPlace ? kept : nullptr);
    }

    test::NotebookFolder folder;
    test::TempFolder cache;
    std::u16string cachePath;
};

TEST_F(IndexCacheTest, EverythingKeptComesBack) {
    const IndexPointer index = Build();
    const IndexPointer back = Decode(EncodeIndex(*index));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Root(), index->Root());
    EXPECT_EQ(back->Filter().Text(), u"*.txt");
    EXPECT_EQ(back->Counts().notes, 3u);
    EXPECT_EQ(back->Counts().binary, 1u);
    ASSERT_EQ(back->Entries().size(), index->Entries().size());
    const auto kept = [](const IndexedNote& n) {
        return std::make_tuple(n.file.path, n.file.relativePath, n.key, n.file.size, n.file.writeTime, n.state,
                               n.charset, n.textKept, std::u16string(n.text.Units()), n.text.LineCount());
    };
    const auto link = [](const IndexedNote& n, const auto& l) {
        return std::make_tuple(n.TargetOf(l), l.line, l.open, l.close);
    };
    for (std::size_t i = 0; i < index->Entries().size(); ++i) {
        const IndexedNote& a = *index->Entries()[i];
        const IndexedNote& b = *back->Entries()[i];
        EXPECT_EQ(kept(b), kept(a)) << i;
        ASSERT_EQ(b.links.size(), a.links.size()) << i;
        for (std::size_t k = 0; k < a.links.size(); ++k) EXPECT_EQ(link(b, b.links[k]), link(a, a.links[k])) << i << " " << k;
    }
    EXPECT_EQ(EncodeIndex(*back), EncodeIndex(*index));
}

TEST_F(IndexCacheTest, ADamagedHeadOrCutFileIsNoCacheAndADamagedTextIsNeverTaken) {
    const IndexPointer index = Build();
    const std::string bytes = EncodeIndex(*index);
    std::uint64_t headSize = 0;
    for (int i = 7; i >= 0; --i) headSize = headSize << 8 | static_cast<std::uint8_t>(bytes[kIndexHeadSizeAt + i]);
    const std::size_t textsAt = kIndexHeadAt + headSize + headSize % 2;
    const auto hits = [](const NotebookIndex& notes) {
        std::vector<std::tuple<std::u16string, LineIndex, Column>> found;
        for (const NoteHits& note : SearchNotes(notes, u"txt", {})) {
            for (const NoteMatch& match : note.matches) found.emplace_back(note.note->file.relativePath, match.line, match.start);
        }
        return found;
    };
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        EXPECT_EQ(Decode(bytes.substr(0, at)), nullptr) << at;
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
        for (bool inPlace : {false, true}) {
            const IndexPointer back = Decode(damaged, inPlace);
            if (at < textsAt) {
                EXPECT_EQ(back, nullptr) << at;
                continue;
            }
            // One text fails its check: it reads as one empty line, is searched from its
            // file, and is left out of the next version.
            ASSERT_NE(back, nullptr) << at;
            std::vector<NotePointer> failed;
            std::copy_if(back->Entries().begin(), back->Entries().end(), std::back_inserter(failed),
                         [](const NotePointer& note) { return !note->text.Intact(); });
            ASSERT_EQ(failed.size(), 1u) << at;
            EXPECT_EQ(failed[0]->text.Units(), u"\n") << at;
            EXPECT_EQ(failed[0]->text.LineCount(), 1u) << at;
            EXPECT_EQ(hits(*back), hits(*index)) << at;
            EXPECT_EQ(Decode(EncodeIndex(*back))->Entries().size(), back->Entries().size() - 1) << at;
        }
    }
    // Made with another ANSI code page, which detects other encodings.
    {
        test::JapaneseCodePage japanese;
        if (test::JapaneseCodePage::InEffect()) {
            EXPECT_EQ(Decode(bytes), nullptr);
        }
    }
    ASSERT_NE(Decode(bytes), nullptr);
    // A checksum that fits bytes that are no index.
    for (const std::string& head : {std::string(), std::string(64, '\xff'), bytes.substr(kIndexHeadAt, headSize / 2)}) {
        const std::uint64_t sum = IndexChecksum(reinterpret_cast<const std::uint8_t*>(head.data()), head.size());
        std::string forged = "PBNOTES2";
        for (std::uint64_t value : {sum, std::uint64_t{head.size()}}) {
            for (int i = 0; i < 8; ++i) forged.push_back(static_cast<char>(value >> (8 * i)));
        }
        EXPECT_EQ(Decode(forged + head), nullptr);
    }
}

TEST_F(IndexCacheTest, ABuildFromTheCacheReadsOnlyWhatChanged) {
    // Whole seconds: some systems set a file's time no finer.
    const std::filesystem::path a = folder.Native("a.txt");
    const auto time = std::chrono::time_point_cast<std::chrono::seconds>(std::filesystem::last_write_time(a)) -
                      std::chrono::seconds(60);
    std::filesystem::last_write_time(a, time);
    BuildCached();
    ASSERT_NE(LoadIndexCache(cachePath), nullptr);
    // Same size and write time: the cached text stands, as a file time check cannot tell.
    folder.Write("a.txt", "<.\\X.txt> text\n<#Y.txt>\n");
    std::filesystem::last_write_time(a, time);
    EXPECT_EQ(BuildCached()->Find(folder.Path("a.txt"))->text.Line(0), u"<.\\b.txt> text");
    // Another write time: read again, and the cache follows.
    std::filesystem::last_write_time(a, time + std::chrono::seconds(5));
    EXPECT_EQ(BuildCached()->Find(folder.Path("a.txt"))->text.Line(0), u"<.\\X.txt> text");
    EXPECT_EQ(LoadIndexCache(cachePath)->Find(folder.Path("a.txt"))->text.Line(0), u"<.\\X.txt> text");
    EXPECT_EQ(LoadIndexCache(cachePath + u"x"), nullptr);
}

TEST_F(IndexCacheTest, EachSaveIsANewVersionAndTheOldOnesGo) {
    const IndexPointer index = Build();
    ASSERT_TRUE(SaveIndexCache(*index, cachePath));
    const IndexPointer held = LoadIndexCache(cachePath);  // reads its texts from the first version
    ASSERT_NE(held, nullptr);
    folder.Write("a.txt", "changed");
    ASSERT_TRUE(SaveIndexCache(*Build(), cachePath));
    EXPECT_EQ(LoadIndexCache(cachePath)->Find(folder.Path("a.txt"))->text.Line(0), u"changed");
    EXPECT_EQ(held->Find(folder.Path("a.txt"))->text.Line(0), u"<.\\b.txt> text");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(cache.Path())) names.push_back(entry.path().filename().string());
#ifndef _WIN32
    EXPECT_EQ(names.size(), 1u);  // Windows keeps a version that is still mapped
#endif
    ASSERT_FALSE(names.empty());
    EXPECT_NE(names[0].find(".index"), std::string::npos);
    const std::string stem = Utf16ToUtf8(cachePath.substr(cachePath.find_last_of(u'\\') + 1));
    std::ofstream(cache.Path() / (stem + "-9.index"), std::ios::binary) << "damaged";
    EXPECT_EQ(LoadIndexCache(cachePath)->Find(folder.Path("a.txt"))->text.Line(0), u"changed");  // the newest whole one
}

TEST_F(IndexCacheTest, OneFilePerRootAndFilter) {
    const std::u16string root = folder.Root();
    EXPECT_EQ(IndexCachePath(u"C:\\cache", root + u"\\", u"*.txt"), IndexCachePath(u"C:\\cache\\", root, u"*.txt"));
    EXPECT_NE(IndexCachePath(u"C:\\cache", root, u"*.md"), IndexCachePath(u"C:\\cache", root, u"*.txt"));
    EXPECT_NE(IndexCachePath(u"C:\\cache", root + u"x", u"*.txt"), IndexCachePath(u"C:\\cache", root, u"*.txt"));
    EXPECT_EQ(IndexCachePath(u"", root, u"*.txt"), u"");
    EXPECT_EQ(IndexCachePath(u"C:\\cache", u"C:\\NB", u"*.txt"), IndexCachePath(u"C:\\cache", u"c:/nb", u"*.txt"));
}

}  // namespace
}  // namespace pathbook
