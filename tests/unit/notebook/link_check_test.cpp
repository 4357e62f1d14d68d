// Check links: each file link tested as a click tests it, the existing part
// of a broken one measured as linkstatus measures it, nothing over the network.
#include "notebook/link_check.h"

#include <gtest/gtest.h>

#include <tuple>

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
    const auto absentLength = static_cast<Column>(absent.size());
    const auto rootLength = static_cast<std::int32_t>(folder.Root().size());
    // Line, start, end, broken, the length of the part that exists.
    using Checked = std::tuple<LineIndex, Column, Column, bool, std::int32_t>;
    const std::vector<Checked> expected = {
        {0, 1, 13, false, 12},
        {0, 16, 33, true, 6},  // ".\dir\" exists
        {1, 1, 16, false, 15},
        {1, 19, 22, false, 3},
        {2, 1, 1 + absentLength, true, rootLength + 1},
        // Not checked: web and mail links, and paths on another machine (the last
        // "." link lies below the "\\server" one).
    };
    std::vector<Checked> checked;
    for (const CheckedLink& l : links) checked.emplace_back(l.line, l.textStart, l.textEnd, l.broken, l.existing);
    ASSERT_EQ(checked, expected);
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
