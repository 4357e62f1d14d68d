// The link request read from the document: its text, base path and cut; and
// what a result means for the missing marks and for opening.
#include <gtest/gtest.h>

#include <tuple>

#include "document/edit_command.h"
#include "document/memory_text.h"
#include "view/link_activation.h"

namespace pathbook {
namespace {

struct LinkDocument {
    explicit LinkDocument(const std::u16string& text) {
        document.SetKeywordDefinition(test::kStandardDefinition);
        test::InsertAt(document, DocPos::At(0, 0), text);
    }
    LinkRequest At(LineIndex line, Column column, LinkCommand command = LinkCommand::kOpen, bool cut = false) {
        return PrepareLinkRequest(document, DocPos::At(line, column), command, cut, u"C:\\cwd");
    }
    Document document;
};

TEST(LinkActivationTest, NoRequestOffALink) {
    LinkDocument doc(u"ab <C:\\x> cd");
    EXPECT_FALSE(doc.At(0, 1).valid);
    EXPECT_FALSE(doc.At(0, 99).valid);
    EXPECT_FALSE(doc.At(5, 0).valid);
    const LinkRequest request = doc.At(0, 3);
    EXPECT_TRUE(request.valid);
    EXPECT_EQ(request.open, 3u);
    EXPECT_EQ(request.close, 8u);
    EXPECT_EQ(request.linkText, u"C:\\x");
}

TEST(LinkActivationTest, BasePathsForAnchorsAndRelativeLinks) {
    LinkDocument doc(u"<C:\\notes\\a.txt>\n<.\\b.txt> <#top>\n<..\\c>");
    const LinkRequest relative = doc.At(1, 2);
    EXPECT_EQ(relative.basePath, u"C:\\notes\\a.txt");
    EXPECT_EQ(relative.linkText, u".\\b.txt");
    const LinkRequest anchor = doc.At(1, 12);
    EXPECT_EQ(anchor.basePath, u"C:\\cwd");
    EXPECT_EQ(anchor.linkText, u"\\top");
    EXPECT_EQ(anchor.spanText, u"#top");
    EXPECT_EQ(doc.At(2, 2).basePath, u"C:\\notes\\a.txt");  // skips the "." and "#" links between
    EXPECT_EQ(doc.At(0, 2).basePath, u"");
    // A relative link below a link without a place of its own takes the note's folder.
    LinkDocument placeless(u"<C:x>\n<.\\b.txt>\n<http://h/d/>\n<.\\c.html>");
    EXPECT_EQ(placeless.At(1, 2).basePath, u"C:\\cwd");
    EXPECT_EQ(placeless.At(3, 2).basePath, u"http://h/d/");
}

TEST(LinkActivationTest, CtrlAndOpenLocationCutAFileLinkAtTheClickedComponent) {
    LinkDocument doc(u"<C:\\a\\bb\\c.txt> <http://h/x/y>");
    EXPECT_EQ(doc.At(0, 7, LinkCommand::kOpen, true).linkText, u"C:\\a\\bb");
    EXPECT_EQ(doc.At(0, 7, LinkCommand::kOpenLocation).linkText, u"C:\\a\\bb");
    EXPECT_EQ(doc.At(0, 5, LinkCommand::kOpenLocation).linkText, u"C:\\a");
    EXPECT_EQ(doc.At(0, 12, LinkCommand::kOpenLocation).linkText, u"C:\\a\\bb\\c.txt");
    EXPECT_EQ(doc.At(0, 7).linkText, u"C:\\a\\bb\\c.txt");
    EXPECT_EQ(doc.At(0, 20, LinkCommand::kOpen, true).linkText, u"http://h/x/y");  // only file links are cut
}

TEST(LinkActivationTest, ALongLinkIsCutToAPathBuffer) {
    LinkDocument doc(u"<C:\\" + std::u16string(400, u'a') + u">");
    const LinkRequest request = doc.At(0, 10);
    EXPECT_EQ(request.linkText.size(), 259u);
    EXPECT_EQ(request.spanText.size(), 403u);
}

LinkResult Result(std::int32_t existing) {
    LinkResult result;
    result.existing = existing;
    return result;
}

// Whether an outcome opens, and its marks' bounds: text start, clear-to, text end.
using Effect = std::tuple<bool, Column, Column, Column>;
Effect EffectOf(const LinkOutcome& outcome) {
    return {outcome.open, outcome.textStart, outcome.clearTo, outcome.textEnd};
}

TEST(LinkActivationTest, OutcomesForWholePartlyAndNotExistingLinks) {
    LinkDocument doc(u"x <C:\\dir\\f.txt>");  // text at 3..12
    const LinkRequest request = doc.At(0, 4);
    EXPECT_EQ(EffectOf(DecideLinkOutcome(doc.document, request, Result(12))), (Effect{true, 3, 15, 15}));
    // Nothing marked yet: this click only marks.
    EXPECT_EQ(EffectOf(DecideLinkOutcome(doc.document, request, Result(7))), (Effect{false, 3, 10, 15}));
    doc.document.SetMissingPart(0, 10, 15, true);
    EXPECT_TRUE(DecideLinkOutcome(doc.document, request, Result(7)).open);
    EXPECT_FALSE(DecideLinkOutcome(doc.document, doc.At(0, 11), Result(7)).open);
    EXPECT_EQ(EffectOf(DecideLinkOutcome(doc.document, request, Result(0))), (Effect{false, 3, 3, 15}));
    EXPECT_EQ(DecideLinkOutcome(doc.document, request, Result(13)).clearTo, 15u);  // a count past the text
}

TEST(LinkActivationTest, ACutLinkThatExistsOpensAndClearsOnlyItsPart) {
    LinkDocument doc(u"<C:\\dir\\f.txt>");
    doc.document.SetMissingPart(0, 1, 13, true);
    const LinkRequest request = doc.At(0, 4, LinkCommand::kOpenLocation);
    ASSERT_EQ(request.linkText, u"C:\\dir");
    EXPECT_EQ(EffectOf(DecideLinkOutcome(doc.document, request, Result(6))), (Effect{true, 1, 7, 7}));
}

TEST(LinkActivationTest, AnEditedLinkGivesNoOutcome) {
    LinkDocument doc(u"<C:\\dir>");
    const LinkRequest request = doc.At(0, 2);
    InsertCommand insert(DocPos::At(0, 3), u"x");
    doc.document.Execute(insert);
    EXPECT_FALSE(DecideLinkOutcome(doc.document, request, Result(6)).stillThere);
    DeleteCommand clear(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    doc.document.Execute(clear);
    EXPECT_FALSE(DecideLinkOutcome(doc.document, request, Result(6)).stillThere);
}

TEST(LinkActivationTest, ResolvingCopiesEverythingOut) {
    LinkDocument doc(u"<mailto://someone>");
    const LinkResult result = ResolveLinkRequest(doc.At(0, 3));
    EXPECT_EQ(result.existing, 16);
    EXPECT_EQ(result.linkText, u"mailto://someone");
    EXPECT_EQ(result.statusText, u"【MAIL】 mailto://someone");
}

}  // namespace
}  // namespace pathbook
