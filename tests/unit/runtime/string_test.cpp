#include "runtime/string.h"

#include <gtest/gtest.h>

namespace pathbook {
namespace {

TEST(StringTest, EmptyStringsShareAStaticBlockNeverWritten) {
    String a;
    String b(u"", 0);
    String c(u"");
    EXPECT_EQ(a.Length(), 0);
    EXPECT_EQ(a.Chars()[0], 0);
    EXPECT_TRUE(a.UsesEmptyBlock());
    EXPECT_TRUE(b.UsesEmptyBlock());
    EXPECT_TRUE(c.UsesEmptyBlock());
    EXPECT_TRUE(a.SharesBlockWith(c));
    // Link checks make and drop empty Strings on a worker thread while the UI
    // thread does the same, so the shared empty block must never be written.
    std::int32_t count = a.ShareCount();
    {
        String copy = a;
        String moved(std::move(copy));
        String emptied(u"x");
        emptied.DropBack(1);
        EXPECT_EQ(a.ShareCount(), count);
    }
    EXPECT_EQ(a.ShareCount(), count);
    char16_t* buffer = a.WritableBuffer(4);
    buffer[0] = u'y';
    a.SetLength(1);
    EXPECT_FALSE(a.UsesEmptyBlock());
    EXPECT_EQ(String().Length(), 0);
    EXPECT_EQ(String().Chars()[0], 0);
}

TEST(StringTest, ConstructionCopiesExactlyAndAppendingLeavesTheEmptyBlock) {
    String copied(u"hello", 3);
    EXPECT_EQ(copied.View(), u"hel");
    EXPECT_EQ(copied.ShareCount(), 1);
    String s;
    s.Append(u"abcd");
    EXPECT_FALSE(s.UsesEmptyBlock());
    EXPECT_EQ(s.View(), u"abcd");
    s.Append(u'e');
    EXPECT_EQ(s.View(), u"abcde");
}

TEST(StringTest, CopiesShareUntilWritten) {
    String a(u"shared");
    String b = a;
    EXPECT_TRUE(a.SharesBlockWith(b));
    EXPECT_EQ(a.ShareCount(), 2);
    b.Append(u"!");
    EXPECT_FALSE(a.SharesBlockWith(b));
    EXPECT_EQ(a.View(), u"shared");
    EXPECT_EQ(b.View(), u"shared!");
    EXPECT_EQ(a.ShareCount(), 1);
    // Assignment between sharers, or to itself, changes nothing.
    String c = a;
    c = a;
    EXPECT_EQ(a.ShareCount(), 2);
    a = a;
    EXPECT_EQ(a.View(), u"shared");
}

TEST(StringTest, AppendingItsOwnTextWorks) {
    String s(u"ab");
    s.Append(s);
    EXPECT_EQ(s.View(), u"abab");
    s.Append(s.Chars() + 1, 2);
    EXPECT_EQ(s.View(), u"ababba");
    s.Assign(s.Chars() + 2, 2);
    EXPECT_EQ(s.View(), u"ab");
}

TEST(StringTest, EraseFrontAndDropBack) {
    String s(u"abcdef");
    s.EraseFront(2);
    EXPECT_EQ(s.View(), u"cdef");
    s.DropBack(1);
    EXPECT_EQ(s.View(), u"cde");
    s.DropBack(3);
    EXPECT_TRUE(s.UsesEmptyBlock());
    String t(u"abc");
    t.EraseFront(10);
    EXPECT_TRUE(t.UsesEmptyBlock());
    // On a shared block the other copy keeps its text.
    String a(u"abcdef");
    String b = a;
    b.EraseFront(3);
    b.DropBack(1);
    EXPECT_EQ(a.View(), u"abcdef");
    EXPECT_EQ(b.View(), u"de");
}

TEST(StringTest, WritableBufferThenSetLength) {
    String s(u"ab");
    char16_t* area = s.WritableBuffer(10);
    EXPECT_GE(s.Capacity(), 10);
    area[2] = u'c';
    area[3] = 0;
    s.SetLength(-1);
    EXPECT_EQ(s.View(), u"abc");
    s.WritableBuffer(10)[1] = 0;
    s.SetLength(1);
    EXPECT_EQ(s.View(), u"a");
    // A shared block is unshared first.
    String a(u"abc");
    String b = a;
    b.WritableBuffer(4)[0] = u'x';
    EXPECT_EQ(a.View(), u"abc");
    EXPECT_EQ(b.View(), u"xbc");
}

TEST(StringTest, Concatenation) {
    String a(u"left");
    EXPECT_EQ((a + String(u"-right")).View(), u"left-right");
    EXPECT_EQ((a + u"!").View(), u"left!");
    EXPECT_EQ((u"<" + a).View(), u"<left");
    EXPECT_EQ(a.View(), u"left");
}

TEST(StringTest, IntegerConversions) {
    String s;
    s.AssignInt(0);
    EXPECT_EQ(s.View(), u"0");
    s.AssignInt(-7);
    EXPECT_EQ(s.View(), u"-7");
    s.AssignInt(-2147483647 - 1);
    EXPECT_EQ(s.View(), u"-2147483648");
    EXPECT_EQ(String(u"-12").ToInt(), -12);
    EXPECT_EQ(String(u"12a").ToInt(), 0);
    EXPECT_EQ(String(u"").ToInt(), 0);
    EXPECT_EQ(String(u"-").ToInt(), 0);
}

TEST(StringTest, MovedFromStringIsEmptyAndUsable) {
    String a(u"text");
    String b(std::move(a));
    EXPECT_EQ(b.View(), u"text");
    a.Append(u"again");  // NOLINT: a moved-from String is a valid empty string
    EXPECT_EQ(a.View(), u"again");
}

}  // namespace
}  // namespace pathbook
