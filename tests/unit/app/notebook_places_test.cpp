// The notebook commands' decisions: the notebook's folder, the rows of a
// results list and the Links Here drop-down's items, where a chosen row leads,
// the words of Check links.
#include "app/notebook_places.h"

#include <gtest/gtest.h>

#include <memory>

namespace pathbook {
namespace {

NotePointer MakeNote(const std::u16string& relativePath, const std::u16string& units) {
    auto note = std::make_shared<IndexedNote>();
    note->file.relativePath = relativePath;
    note->file.path = u"C:\\book\\" + relativePath;
    note->textKept = note->text.Assign(units);
    return note;
}

TEST(NotebookPlacesTest, TheHomePagesFolderComesFirstThenTheNotes) {
    struct Case {
        const char16_t* home;
        const char16_t* note;
        const char16_t* current;
        const char16_t* folder;
    };
    const Case cases[] = {
        {u"C:\\book\\home.txt", u"D:\\other\\a.txt", u"D:\\other\\", u"C:\\book\\"},
        {u"", u"D:\\other\\a.txt", u"", u"D:\\other\\"},
        {u"", u"D:/mixed\\sub/a.txt", u"", u"D:/mixed\\sub/"},
        {u"home.txt", u"D:\\other\\a.txt", u"", u"D:\\other\\"},  // a home page without a folder
        {u"", u"D:\\Book\\deep\\a.txt", u"D:\\book\\", u"D:\\book\\"},  // below the notebook: it stays
        {u"", u"D:\\bookish\\a.txt", u"D:\\book\\", u"D:\\bookish\\"},
        {u"", u"", u"", u""},
        {u"", u"untitled", u"D:\\book\\", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NotebookFolder(c.home, c.note, c.current), c.folder) << c.home << " " << c.note;
    }
}

TEST(NotebookPlacesTest, ARowNamesThePlaceOneBasedAndShowsTheLineCutWithItsTabsAsBlanks) {
    const std::u16string longLine(kMaxRowText + 50, u'x');
    const NotePointer note = MakeNote(u"sub/a.txt", u"first\n\tsee <b.txt>\there\n" + longLine + u"\n");
    EXPECT_EQ(PlaceRow(*note, 0), u"sub/a.txt:1\tfirst");
    EXPECT_EQ(PlaceRow(*note, 1), u"sub/a.txt:2\t see <b.txt> here");
    EXPECT_EQ(PlaceRow(*note, 2), u"sub/a.txt:3\t" + std::u16string(kMaxRowText, u'x'));
    EXPECT_EQ(PlaceRow(*note, 9), u"sub/a.txt:10\t");  // past the last line: no text
}

TEST(NotebookPlacesTest, ALinkHereLeadsToTheLinksFirstUnitAndAMatchIsSelected) {
    const NotePointer a = MakeNote(u"a.txt", u"x <b.txt>\n");
    const NotePointer c = MakeNote(u"c.txt", u"one\ntwo <b.txt> two\n");
    const std::vector<NotebookPlace> here = LinksHerePlaces({{a, 0, 2, 8}, {c, 1, 4, 10}});
    ASSERT_EQ(here.size(), 2u);
    EXPECT_EQ(here[0].path, u"C:\\book\\a.txt");
    EXPECT_EQ(here[1].anchor, DocPos::At(1, 5));
    EXPECT_EQ(here[1].caret, DocPos::At(1, 5));
    EXPECT_EQ(here[1].row, u"c.txt:2\ttwo <b.txt> two");

    const std::vector<NotebookPlace> found = SearchPlaces({{a, {{0, 0, 1}}}, {c, {{1, 0, 3}, {1, 12, 15}}}});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2].path, u"C:\\book\\c.txt");
    EXPECT_EQ(found[2].anchor, DocPos::At(1, 12));
    EXPECT_EQ(found[2].caret, DocPos::At(1, 15));
    EXPECT_EQ(found[2].row, u"c.txt:2\ttwo <b.txt> two");
}

TEST(NotebookPlacesTest, ListsStopAtTheirLimit) {
    const NotePointer a = MakeNote(u"a.txt", u"aaa\n");
    std::vector<NoteMatch> matches(kMaxPlaces + 1, NoteMatch{0, 0, 1});
    EXPECT_EQ(SearchPlaces({{a, matches}, {a, matches}}).size(), kMaxPlaces);
    EXPECT_EQ(LinksHerePlaces(std::vector<Backlink>(kMaxPlaces + 3, Backlink{a, 0, 0, 2})).size(), kMaxPlaces);
    const std::vector<NotebookPlace> many(kMaxLinksHereItems + 1, NotebookPlace{u"C:\\a.txt", {}, {}, u"a.txt:1\tx"});
    EXPECT_EQ(LinksHereMenuItems(many, 100, u"none").size(), kMaxLinksHereItems);
}

TEST(NotebookPlacesTest, LinksHereItemsShowTheirAmpersandsAndACutLine) {
    const std::u16string longLine(kMaxItemText + 9, u'x');
    const std::vector<NotebookPlace> places = {{u"", {}, {}, u"R&D/a.txt:3\tsee <b&c.txt>"},
                                               {u"", {}, {}, u"a.txt:1\t" + longLine}};
    const std::vector<MenuItem> items = LinksHereMenuItems(places, 40800, u"(none)");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text.View(), u"R&&D/a.txt:3\tsee <b&&c.txt>");
    EXPECT_EQ(items[1].text.View(), u"a.txt:1\t" + longLine.substr(0, kMaxItemText));
    EXPECT_EQ(items[1].id, 40801);
    EXPECT_TRUE(items[1].enabled);
    const std::vector<MenuItem> none = LinksHereMenuItems({}, 40800, u"(none)");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].text.View(), u"(none)");
    EXPECT_EQ(none[0].id, 40800);
    EXPECT_FALSE(none[0].enabled);
}

TEST(NotebookPlacesTest, CountsFillTheirPlacesInWhateverOrderTheWordsNeed) {
    EXPECT_EQ(CountsText(u"%1 of %2 links are broken", 3, 41), u"3 of 41 links are broken");
    EXPECT_EQ(CountsText(u"%2 links, %1 broken", 0, 1000), u"1000 links, 0 broken");
    EXPECT_EQ(CountsText(u"no places", 1, 2), u"no places");
    // A choice follows the number written last before it; a lone brace stays.
    EXPECT_EQ(CountsText(u"%1 {link|links} from %2 {note|notes}", 1, 2), u"1 link from 2 notes");
    EXPECT_EQ(CountsText(u"%2 {note|notes}, %1 {match|matches}", 0, 1), u"1 note, 0 matches");
    EXPECT_EQ(CountsText(u"{a|b} %1 {x %1", 1, 0), u"b 1 {x 1");
}

}  // namespace
}  // namespace pathbook
