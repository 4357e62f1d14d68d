// Check links: each file link tested as a click tests it, the existing part
// of a broken one measured as linkstatus measures it, nothing over the network.
#include "notebook/link_check.h"

#include <gtest/gtest.h>

#include "document/document.h"
#include "document/keyword_definition.h"
#include "document/memory_text.h"
#include "links/link_status.h"
#include "notebook_folder.h"

namespace pathbook {
namespace {

TEST(LinkCheckTest, TwoOfFiveBrokenWithTheirExistingParts) {
    test::NotebookFolder folder;
    folder.Write("exists.txt", "x");
    folder.Write("dir/inside.txt", "x");
    const std::u16string absent = folder.Path("gone/away.txt");
    Document document;
    document.SetKeywordDefinition(kDefaultKeywordText);
    test::Load(document, u"<.\\exists.txt> <.\\dir\\missing.txt>\n"
                         u"<#dir\\inside.txt> <..\\>\n<" + absent + u">\n"
                         u"web <http://example.org/> <mailto://someone> <\\\\server\\share\\x.txt> <.\\x>\n");
    const std::u16string noteFolder = folder.Root() + u"\\";
    const std::vector<CheckedLink> links = CheckFileLinks(FileLinksToCheck(document, noteFolder));
    struct Expected {
        LineIndex line;
        Column start;
        Column end;
        bool broken;
        std::int32_t existing;
    };
    const auto absentLength = static_cast<std::int32_t>(absent.size());
    const auto rootLength = static_cast<std::int32_t>(folder.Root().size());
    const Expected expected[] = {
        {0, 1, 13, false, 12},
        {0, 16, 33, true, 6},  // ".\dir\" exists
        {1, 1, 16, false, 15},
        {1, 19, 22, false, 3},
        {2, 1, static_cast<Column>(1 + absentLength), true, rootLength + 1},
        // Not checked: web and mail links, and paths on another machine (the last
        // "." link lies below the "\\server" one).
    };
    ASSERT_EQ(links.size(), std::size(expected));
    for (std::size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(links[i].line, expected[i].line) << i;
        EXPECT_EQ(links[i].textStart, expected[i].start) << i;
        EXPECT_EQ(links[i].textEnd, expected[i].end) << i;
        EXPECT_EQ(links[i].broken, expected[i].broken) << i;
        EXPECT_EQ(links[i].existing, expected[i].existing) << i;
    }
    EXPECT_EQ(BrokenCount(links), 2u);
    // The same count a click's status line gives.
    String text(u".\\dir\\missing.txt");
    String status;
    EXPECT_EQ(ResolveLinkStatus(String(noteFolder), text, status), links[1].existing);

    EXPECT_EQ(NextBrokenLink(links, DocPos::At(0, 0)), 1);
    EXPECT_EQ(NextBrokenLink(links, links[1].Start()), 4);
    EXPECT_EQ(NextBrokenLink(links, links[4].Start()), 1);  // round to the first again
    EXPECT_EQ(NextBrokenLink({}, DocPos::At(0, 0)), -1);
}

}  // namespace
}  // namespace pathbook
