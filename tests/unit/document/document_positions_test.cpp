// Caret steps, word steps and link extents.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/document.h"
#include "memory_text.h"

namespace pathbook {
namespace {

std::unique_ptr<Document> Make(std::u16string_view text) {
    auto document = std::make_unique<Document>();
    document->SetKeywordDefinition(test::kStandardDefinition);
    test::InsertAt(*document, DocPos::At(0, 0), text);
    return document;
}

TEST(DocumentPositionsTest, UnitStepsLineEndsAndPairs) {
    const std::unique_ptr<Document> document = Make(u"ab\ncd");
    EXPECT_EQ(document->LeftOf({0, 0}, false), (DocPos{0, 0}));
    EXPECT_EQ(document->LeftOf({0, 1}, false), (DocPos{2, 0}));
    EXPECT_EQ(document->LeftOf({2, 1}, false), (DocPos{1, 1}));
    EXPECT_EQ(document->RightOf({2, 0}, false), (DocPos{0, 1}));
    EXPECT_EQ(document->RightOf({2, 1}, false), (DocPos{2, 1}));
    EXPECT_EQ(document->RightOf({9, 9}, false), (DocPos{2, 1}));
    // A surrogate pair is one step; a lone low surrogate one of its own.
    const std::unique_ptr<Document> pairs = Make(u"a\U0001F600b\xDC00z");
    EXPECT_EQ(pairs->RightOf({1, 0}, false), (DocPos{3, 0}));
    EXPECT_EQ(pairs->LeftOf({3, 0}, false), (DocPos{1, 0}));
    EXPECT_EQ(pairs->LeftOf({5, 0}, false), (DocPos{4, 0}));
    EXPECT_EQ(pairs->RightOf({4, 0}, false), (DocPos{5, 0}));
}

TEST(DocumentPositionsTest, WordStepsFollowRuns) {
    const std::unique_ptr<Document> document = Make(u"alpha  beta+=longerword");
    EXPECT_EQ(document->RightOf({0, 0}, true), (DocPos{5, 0}));
    EXPECT_EQ(document->RightOf({2, 0}, true), (DocPos{5, 0}));
    EXPECT_EQ(document->RightOf({5, 0}, true), (DocPos{7, 0}));
    EXPECT_EQ(document->RightOf({11, 0}, true), (DocPos{12, 0}));  // each symbol is its own run
    EXPECT_EQ(document->RightOf({13, 0}, true), (DocPos{23, 0}));
    EXPECT_EQ(document->LeftOf({23, 0}, true), (DocPos{13, 0}));
    EXPECT_EQ(document->LeftOf({9, 0}, true), (DocPos{7, 0}));
    EXPECT_EQ(document->WordStartOf({20, 0}), (DocPos{13, 0}));
    EXPECT_EQ(document->WordStartOf({23, 0}), (DocPos{23, 0}));
}

TEST(DocumentPositionsTest, LinkExtents) {
    const std::unique_ptr<Document> document = Make(u"x <C:\\dir\\f.txt><#a> y");
    EXPECT_EQ(document->LinkStartOf({8, 0}), (DocPos{2, 0}));
    EXPECT_EQ(document->LinkEndOf({8, 0}), (DocPos{15, 0}));
    EXPECT_EQ(document->LinkPartEndOf({6, 0}), (DocPos{9, 0}));
    EXPECT_EQ(document->LinkStartOf({18, 0}), (DocPos{16, 0}));  // the next link starts at its own "<"
    EXPECT_EQ(document->LinkEndOf({0, 0}), (DocPos{0, 0}));
    EXPECT_EQ(document->LinkEndOf({99, 0}), (DocPos{22, 0}));
}

TEST(DocumentPositionsTest, FindLinkBeforeScansBackToTheFirstLine) {
    const std::unique_ptr<Document> document = Make(u"<C:\\base\\dir>\nplain\n<.\\rel> <#anchor>");
    String link;
    ASSERT_TRUE(document->FindLinkBefore({15, 2}, link));
    EXPECT_EQ(link.View(), u"C:\\base\\dir");
    ASSERT_TRUE(document->FindLinkBefore({3, 0}, link));
    const std::unique_ptr<Document> none = Make(u"<.\\a>\n<#b>");
    EXPECT_FALSE(none->FindLinkBefore({kEndOfText, kEndOfText}, link));
    const std::unique_ptr<Document> same = Make(u"<C:\\a> <..\\b>");
    ASSERT_TRUE(same->FindLinkBefore({9, 0}, link));
    EXPECT_EQ(link.View(), u"C:\\a");
}

}  // namespace
}  // namespace pathbook
