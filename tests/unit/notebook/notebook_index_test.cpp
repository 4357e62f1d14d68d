// The index of a notebook and Links Here over it: links of every kind in
// notes of every encoding, self-links and cycles, then renames, deletions,
// edits and what is left out.
#include "notebook/links_here.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "notebook_folder.h"
#include "notebook/notebook_index.h"

namespace pathbook {
namespace {

using test::Hex;

class NotebookIndexTest : public ::testing::Test {
protected:
    NotebookIndexTest() {
        test::SetVariable("NBTEST", String(folder.Root()));
        folder.Write("Home.txt", "<.\\a.txt> <.\\sub\\b.txt>\n<#Home.txt>\n");
        folder.Write("a.txt", "<.\\sub\\b.txt> <..\\outside.txt>\n<.\\A.TXT> <.\\missing.txt>\n");
        folder.Write("sub/b.txt", Hex("c6 fc cb dc b8 ec") + " <..\\a.txt>\n");         // EUC-JP
        folder.Write("sub/sjis.txt", Hex("93 fa 96 7b 8c ea") + " <..\\Home.txt>\r\n");  // Shift_JIS
        folder.Write("sub/utf16.txt", Hex("ff fe 0a 00 3c 00 2e 00 2e 00 5c 00 48 00 6f 00 6d 00 65 00 2e 00 74 00 "
                                          "78 00 74 00 3e 00"));  // "\n<..\Home.txt>"
        folder.Write("sub/deep/c.txt", "x\n\n <..\\..\\a.txt> <%NBTEST%\\Home.txt> <http://a/Home.txt>\n");
        folder.Write("notes.md", "<.\\Home.txt>");
        folder.Write("binary.txt", std::string("<.\\Home.txt>\0", 13));
        folder.Write("big.txt", "");
        std::filesystem::resize_file(folder.Native("big.txt"), kMaxNoteBytes + 1);
    }

    IndexPointer Build(const NotebookIndex* previous = nullptr, unsigned threads = 2) {
        IndexWork work;
        work.threads = threads;
        return BuildIndex(folder.Root() + u"\\", u"*.txt", previous, work);
    }

    // "path:line:open" for each link to `note`.
    std::vector<std::string> Here(const NotebookIndex& index, const std::string& note) {
        std::vector<std::string> found;
        for (const Backlink& link : LinksHere(index, folder.Path(note))) {
            found.push_back(Utf16ToUtf8(link.note->file.relativePath) + ":" + std::to_string(link.line) + ":" +
                            std::to_string(link.open));
        }
        return found;
    }

    std::vector<std::string> Entries(const NotebookIndex& index) {
        std::vector<std::string> paths;
        for (const NotePointer& entry : index.Entries()) paths.push_back(Utf16ToUtf8(entry->file.relativePath));
        return paths;
    }

    // Where the link of sub/sjis.txt starts: after three letters in Shift_JIS,
    // after six where the ANSI code page reads its bytes one by one.
    static std::string SjisLink() { return test::JapaneseCodePage::InEffect() ? "sub/sjis.txt:0:4" : "sub/sjis.txt:0:7"; }

    test::JapaneseCodePage japanese;
    test::NotebookFolder folder;
};

using Strings = std::vector<std::string>;

TEST_F(NotebookIndexTest, LinksHereForEveryKindOfLink) {
    for (unsigned threads : {1u, 4u}) {
        const IndexPointer index = Build(nullptr, threads);
        ASSERT_NE(index, nullptr);
        EXPECT_EQ(Entries(*index), (Strings{"Home.txt", "a.txt", "binary.txt", "sub/b.txt", "sub/deep/c.txt",
                                            "sub/sjis.txt", "sub/utf16.txt"}));
        EXPECT_EQ(index->Counts().notes, 6u);
        EXPECT_EQ(index->Counts().binary, 1u);
        EXPECT_EQ(index->Counts().tooLarge, 1u);
        EXPECT_EQ(Here(*index, "Home.txt"),
                  (Strings{"Home.txt:1:0", "sub/deep/c.txt:2:15", SjisLink(), "sub/utf16.txt:1:0"}));
        EXPECT_EQ(Here(*index, "a.txt"), (Strings{"Home.txt:0:0", "a.txt:1:0", "sub/b.txt:0:4", "sub/deep/c.txt:2:1"}));
        EXPECT_EQ(Here(*index, "sub/b.txt"), (Strings{"Home.txt:0:10", "a.txt:0:0"}));
        EXPECT_EQ(Here(*index, "missing.txt"), (Strings{"a.txt:1:10"}));
        EXPECT_EQ(Here(*index, "nowhere.txt"), Strings{});
        EXPECT_EQ(index->Find(folder.Path("SUB/B.TXT"))->charset, charset::kEucJp);
    }
    if (test::JapaneseCodePage::InEffect()) {
        EXPECT_EQ(Build()->Find(folder.Path("sub/sjis.txt"))->text.Line(0), u"日本語 <..\\Home.txt>");
    }
}

TEST_F(NotebookIndexTest, RenamesDeletionsAndEditsOnRecheck) {
    const IndexPointer before = Build();
    folder.Rename("a.txt", "renamed.txt");
    folder.Remove("sub/b.txt");
    folder.Write("sub/new.txt", "<..\\renamed.txt>");
    const IndexPointer after = Build(before.get());
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(Entries(*after),
              (Strings{"Home.txt", "binary.txt", "renamed.txt", "sub/deep/c.txt", "sub/new.txt", "sub/sjis.txt",
                       "sub/utf16.txt"}));
    // The links still name a.txt, which no longer exists; b.txt's link is gone with it.
    EXPECT_EQ(Here(*after, "a.txt"), (Strings{"Home.txt:0:0", "renamed.txt:1:0", "sub/deep/c.txt:2:1"}));
    EXPECT_EQ(Here(*after, "renamed.txt"), (Strings{"sub/new.txt:0:0"}));
    // Notes that did not change are shared, not read again.
    EXPECT_EQ(after->Find(folder.Path("Home.txt")), before->Find(folder.Path("Home.txt")));
    EXPECT_EQ(Build(after.get())->Entries(), after->Entries());
}

TEST_F(NotebookIndexTest, UpdatesReadOneNoteWhateverItsTime) {
    const IndexPointer before = Build();
    folder.Write("Home.txt", "<.\\sub\\b.txt>\n");
    folder.Write("sub/added.txt", "<..\\a.txt>");
    IndexPointer after = UpdateIndex(before, folder.Path("Home.txt"));
    after = UpdateIndex(after, folder.Path("sub/added.txt"));
    EXPECT_EQ(Here(*after, "a.txt"), (Strings{"a.txt:1:0", "sub/added.txt:0:0", "sub/b.txt:0:4", "sub/deep/c.txt:2:1"}));
    EXPECT_EQ(Here(*after, "Home.txt"), (Strings{"sub/deep/c.txt:2:15", SjisLink(), "sub/utf16.txt:1:0"}));
    EXPECT_EQ(after->Find(folder.Path("a.txt")), before->Find(folder.Path("a.txt")));
    folder.Remove("sub/added.txt");
    after = UpdateIndex(after, folder.Path("sub/added.txt"));
    EXPECT_EQ(after->Find(folder.Path("sub/added.txt")), nullptr);
    EXPECT_EQ(UpdateIndex(after, folder.Path("notes.md")), after);                       // not a note
    EXPECT_EQ(UpdateIndex(after, u"C:\\elsewhere\\x.txt"), after);                       // not in the notebook
    EXPECT_EQ(UpdateIndex(after, folder.Root()), after);
}

TEST_F(NotebookIndexTest, AFolderThatCannotBeReadGivesNoIndex) {
    IndexWork work;
    EXPECT_EQ(BuildIndex(folder.Path("no such folder"), u"*.txt", nullptr, work), nullptr);
    work.cancel = true;
    EXPECT_EQ(BuildIndex(folder.Root(), u"*.txt", nullptr, work), nullptr);
    std::u16string relative;
    EXPECT_TRUE(RelativePathIn(u"C:\\nb", u"c:\\NB\\x\\y.txt", &relative));
    EXPECT_EQ(relative, u"x/y.txt");
    EXPECT_FALSE(RelativePathIn(u"C:\\nb", u"C:\\nbx\\y.txt", &relative));
    EXPECT_FALSE(RelativePathIn(u"C:\\nb", u"C:\\nb", &relative));
}

TEST(NoteTreeTest, OrderAndRoots) {
    EXPECT_TRUE(RelativePathLess(u"a.txt", u"a/b.txt"));
    EXPECT_TRUE(RelativePathLess(u"a", u"ab"));
    EXPECT_TRUE(RelativePathLess(u"\uFFFD", u"\U0001F600"));  // code point order, as UTF-8 sorts
    EXPECT_FALSE(RelativePathLess(u"b", u"a"));
    EXPECT_EQ(NotebookRoot(u"C:\\nb\\\\"), u"C:\\nb");
    EXPECT_EQ(NotebookRoot(u"C:/nb/"), u"C:\\nb");
    EXPECT_EQ(NotebookRoot(u"C:\\"), u"C:");
}

}  // namespace
}  // namespace pathbook
