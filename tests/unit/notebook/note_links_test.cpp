// The links of a note as the tokenizer marks them, and the paths they lead
// to, resolved as a click resolves them: every link kind, bases, comments.
#include "notebook/note_links.h"

#include <gtest/gtest.h>

#include <tuple>

#include "document/document.h"
#include "document/keyword_definition.h"
#include "document/memory_text.h"
#include "links/link_test_support.h"
#include "runtime/utf8.h"
#include "view/link_activation.h"

namespace pathbook {
namespace {

const std::u16string kFolder = u"C:\\nb\\sub\\";

NoteText TextOf(const std::u16string& lines) {
    NoteText text;
    EXPECT_TRUE(text.Assign(lines));
    return text;
}

// Line, open and close columns, and the target (empty: no file link).
using Resolved = std::tuple<LineIndex, Column, Column, std::string>;

std::vector<Resolved> Resolve(const std::vector<FoundLink>& links) {
    std::vector<Resolved> resolved;
    for (const FoundLink& link : links) {
        resolved.emplace_back(link.line, link.open, link.close, Utf16ToUtf8(FileLinkTarget(link.link)));
    }
    return resolved;
}

// Line by line: what each line holds, and the links found in it.
const std::u16string kNote =
    u"<#top.txt> <.\\b.txt> <..\\c.txt>\n"
    u"<C:\\other\\base.txt> then <.\\d.txt> <#e.txt> <..\\f.txt>\n"
    u"<%PBNOTES%\\g.txt> <https://example.org/> <mailto://a@b> <ftp://h/>\n"
    u"<\\\\server\\share\\h.txt> <C:\\dir\\> <..\\..\\up.txt>\n"
    u"# <C:\\in\\comment.txt>\n"
    u"[ <C:\\in\\block.txt> ] <.\\after.txt> <C:\\unclosed\n"
    u"<C:\\a><C:\\b>\n";

TEST(NoteLinksTest, EveryKindResolvesAsAClickResolvesIt) {
    test::SetVariable("PBNOTES", String(u"C:\\env"));
    const std::vector<Resolved> expected = {
        // No base link above: the note's folder.
        {0, 0, 9, "C:\\nb\\sub\\top.txt"}, {0, 11, 19, "C:\\nb\\sub\\b.txt"}, {0, 21, 30, "C:\\nb\\c.txt"},
        // Joined to the base link, as a click joins it; "#" links never take a base.
        {1, 0, 18, "C:\\other\\base.txt"}, {1, 25, 33, "C:\\other\\base.txt\\d.txt"}, {1, 35, 42, "C:\\nb\\sub\\e.txt"},
        {1, 44, 53, "C:\\other\\f.txt"},
        {2, 0, 16, "C:\\env\\g.txt"}, {2, 18, 39, ""}, {2, 41, 54, ""}, {2, 56, 65, ""},
        // The last joined to "C:\dir\"; the links in the comment and the block are none.
        {3, 0, 21, "\\\\server\\share\\h.txt"}, {3, 23, 31, "C:\\dir"}, {3, 33, 46, "C:\\up.txt"},
        {5, 22, 34, "C:\\dir\\after.txt"}, {6, 0, 5, "C:\\a"}, {6, 6, 11, "C:\\b"},
    };
    EXPECT_EQ(Resolve(CollectLinks(TextOf(kNote), NoteTokenizer(), kFolder)), expected);

    Document document;
    document.SetKeywordDefinition(kDefaultKeywordText);
    test::Load(document, kNote);
    EXPECT_EQ(Resolve(CollectLinks(document, kFolder)), expected);
}

// Every link against the click's own request: the same target, except a "."
// link without a base link above, which the click cannot resolve.
TEST(NoteLinksTest, TargetsAgreeWithTheClick) {
    test::SetVariable("PBNOTES", String(u"C:\\env"));
    Document document;
    document.SetKeywordDefinition(kDefaultKeywordText);
    test::Load(document, kNote);
    for (const FoundLink& found : CollectLinks(document, kFolder)) {
        const LinkRequest click = PrepareLinkRequest(document, DocPos::At(found.line, found.open + 1), LinkCommand::kOpen,
                                                     false, u"C:\\nb\\sub");
        ASSERT_TRUE(click.valid);
        EXPECT_EQ(click.close, found.close);
        if (click.linkText[0] == u'.' && click.basePath.empty()) {
            EXPECT_EQ(found.link.basePath, kFolder);
            continue;
        }
        EXPECT_EQ(Utf16ToUtf8(FileLinkTarget({click.basePath, click.linkText})), Utf16ToUtf8(FileLinkTarget(found.link)))
            << Utf16ToUtf8(click.spanText);
    }
}

TEST(NoteLinksTest, LinkTextsAreCutAndAnchorsTurned) {
    const ResolvableLink anchor = PrepareLink(u"#x", u"C:\\base", kFolder);
    EXPECT_EQ(anchor.basePath, kFolder);
    EXPECT_EQ(anchor.linkText, u"\\x");
    EXPECT_EQ(PrepareLink(u"C:\\" + std::u16string(400, u'a'), u"", kFolder).linkText.size(), 259u);
    EXPECT_EQ(PrepareLink(u"C:\\x", u"C:\\base", kFolder).basePath, u"");
    EXPECT_EQ(PathKey(u"c:/Notes/ÄÖ.txt"), u"C:\\NOTES\\ÄÖ.TXT");
    EXPECT_EQ(FolderOf(u"C:\\nb\\a.txt"), u"C:\\nb\\");
    EXPECT_TRUE(IsNetworkPath(u"//server/x"));
    EXPECT_FALSE(IsNetworkPath(u"C:\\x"));
}

}  // namespace
}  // namespace pathbook
