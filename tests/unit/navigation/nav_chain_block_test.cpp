#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "navigation/nav_chain.h"
#include "navigation/nav_chain_block.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

using test::NameCleanup;
using test::UniqueName;

class ChainBlockTest : public ::testing::Test {
protected:
    std::uint16_t Unit(std::uint32_t index) const {
        return static_cast<std::uint16_t>(block_[2 * index] | (block_[2 * index + 1] << 8));
    }
    void SetUnit(std::uint32_t index, std::uint16_t value) {
        block_[2 * index] = static_cast<std::uint8_t>(value);
        block_[2 * index + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::vector<std::u16string> Paths() const {
        std::vector<std::u16string> paths;
        for (const NavEntry& entry : navchain::Entries(block_)) paths.push_back(entry.path);
        return paths;
    }
    void AppendAll(std::initializer_list<const char16_t*> paths) {
        CharsetId code = 1;
        for (const char16_t* path : paths) ASSERT_TRUE(navchain::Append(block_, path, code++));
    }
    // Appends paths of the longest length, told apart by their first letter
    // (A, B, ...), until `count` were tried; returns how many fitted.
    int AppendLongPaths(int count) {
        std::u16string path(kMaxNavPathLength, u'x');
        int added = 0;
        for (int i = 0; i < count; ++i) {
            path[0] = static_cast<char16_t>(u'A' + i);
            added += navchain::Append(block_, path, i) ? 1 : 0;
        }
        return added;
    }

    std::uint8_t block_[kNavChainBytes] = {};
};

TEST_F(ChainBlockTest, AppendWritesTheEntryByteForByte) {
    ASSERT_TRUE(navchain::Append(block_, u"ab", -65001));
    const std::uint8_t expected[] = {7, 0, 0, 0, 0x17, 0x02, 0xFF, 0xFF, 'a', 0, 'b', 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(block_, expected, sizeof expected), 0);
    ASSERT_TRUE(navchain::Append(block_, u"c", 932));
    // The second entry: its length, its code in two units, its path, its NUL, the chain's end.
    const std::pair<std::uint32_t, std::uint16_t> units[] = {{7, 6}, {9, 932}, {10, 0}, {11, u'c'}, {12, 0}, {13, 0}};
    for (const auto& [index, value] : units) EXPECT_EQ(Unit(index), value) << "unit " << index;
    EXPECT_TRUE(navchain::CheckInvariants(block_));
}

TEST_F(ChainBlockTest, PreviousAndNextStopAtTheEnds) {
    NavEntry entry;
    EXPECT_FALSE(navchain::Next(block_, u"C:\\A.txt", &entry));  // an empty chain finds nothing
    EXPECT_FALSE(navchain::Previous(block_, u"C:\\A.txt", &entry));
    EXPECT_FALSE(navchain::Remove(block_, u"C:\\A.txt"));
    EXPECT_TRUE(navchain::Entries(block_).empty());
    AppendAll({u"C:\\A.txt", u"C:\\B.txt", u"C:\\C.txt"});
    EXPECT_FALSE(navchain::Previous(block_, u"C:\\A.txt", &entry));
    ASSERT_TRUE(navchain::Previous(block_, u"c:\\b.TXT", &entry));
    EXPECT_EQ(entry.path, u"C:\\A.txt");
    EXPECT_EQ(entry.code, 1);
    ASSERT_TRUE(navchain::Next(block_, u"C:\\B.txt", &entry));
    EXPECT_EQ(entry.path, u"C:\\C.txt");
    EXPECT_EQ(entry.code, 3);
    EXPECT_FALSE(navchain::Next(block_, u"C:\\C.txt", &entry));
    EXPECT_FALSE(navchain::Next(block_, u"C:\\D.txt", &entry));
    EXPECT_FALSE(navchain::Previous(block_, u"C:\\D.txt", &entry));
}

// Letter case folds as the file system folds it, in every script.
TEST_F(ChainBlockTest, APathIsHeldOnceWhateverItsLetterCase) {
    struct Case {
        const char16_t* stored;
        const char16_t* other;
    };
    const Case cases[] = {
        {u"C:\\Notes\\\u00C4rger.txt", u"c:\\NOTES\\\u00E4RGER.TXT"},
        {u"C:\\\u0386\u03B8\u03AE\u03BD\u03B1.txt", u"C:\\\u03AC\u0398\u0389\u039D\u0391.TXT"},  // Greek with tonos
        {u"C:\\\u0490\u0430\u043D\u043E\u043A.txt", u"C:\\\u0491\u0410\u041D\u041E\u041A.txt"},  // Ukrainian
        {u"C:\\Ti\u1EBFng Vi\u1EC7t.txt", u"C:\\TI\u1EBEng VI\u1EC6T.txt"},                           // Vietnamese
    };
    for (const Case& c : cases) {
        std::memset(block_, 0, sizeof block_);
        AppendAll({c.stored});
        EXPECT_FALSE(navchain::Append(block_, c.other, 5));
        EXPECT_EQ(Paths().size(), 1u);
        EXPECT_EQ(navchain::Entries(block_)[0].code, 1);
    }
    // Different letters stay different.
    EXPECT_TRUE(navchain::Append(block_, u"C:\\Ti\u1EBBng Vi\u1EC7t.txt", 6));
}

// A taken entry goes back where it stood; a removed one leaves no gap.
TEST_F(ChainBlockTest, RemoveClosesTheGapAndPutBackRestoresIt) {
    AppendAll({u"A", u"BB", u"CCC"});
    std::uint8_t before[kNavChainBytes];
    std::memcpy(before, block_, sizeof before);
    for (const char16_t* path : {u"A", u"bb", u"CCC"}) {
        TakenEntry taken;
        ASSERT_TRUE(navchain::Remove(block_, path, &taken));
        EXPECT_TRUE(navchain::CheckInvariants(block_));
        EXPECT_TRUE(navchain::PutBack(block_, taken));
        EXPECT_EQ(std::memcmp(before, block_, sizeof before), 0) << Paths().size();
    }
    EXPECT_FALSE(navchain::Remove(block_, u"D"));
    EXPECT_EQ(std::memcmp(before, block_, sizeof before), 0);
    EXPECT_TRUE(navchain::Remove(block_, u"bb"));
    EXPECT_EQ(Paths(), (std::vector<std::u16string>{u"A", u"CCC"}));
    EXPECT_EQ(navchain::Entries(block_)[1].code, 3);
    EXPECT_EQ(Unit(6 + 8), 0);
    EXPECT_TRUE(navchain::CheckInvariants(block_));
}

// Another process may write an entry of no path (length 5): it is a follower like any other.
TEST_F(ChainBlockTest, AnEntryInFrontOfOneWithNoPathGoesBackInFrontOfIt) {
    AppendAll({u"A"});
    SetUnit(6, 5);
    ASSERT_TRUE(navchain::CheckInvariants(block_));
    std::uint8_t before[kNavChainBytes];
    std::memcpy(before, block_, sizeof before);
    TakenEntry taken;
    ASSERT_TRUE(navchain::Remove(block_, u"A", &taken));
    EXPECT_EQ(taken.next, u"");
    EXPECT_TRUE(navchain::PutBack(block_, taken));
    EXPECT_EQ(std::memcmp(before, block_, sizeof before), 0) << Paths().size();
}

TEST_F(ChainBlockTest, PutBackFollowsTheChainAsItIsNow) {
    AppendAll({u"A", u"B", u"C"});
    TakenEntry taken;
    ASSERT_TRUE(navchain::Remove(block_, u"B", &taken));
    EXPECT_EQ(taken.entry.path, u"B");
    EXPECT_EQ(taken.entry.code, 2);
    EXPECT_EQ(taken.next, u"C");
    ASSERT_TRUE(navchain::Append(block_, u"D", 4));
    ASSERT_TRUE(navchain::Remove(block_, u"C"));
    EXPECT_TRUE(navchain::PutBack(block_, taken));  // its follower has gone: at the end
    EXPECT_EQ(Paths(), (std::vector<std::u16string>{u"A", u"D", u"B"}));
    EXPECT_FALSE(navchain::PutBack(block_, taken));  // there already
    TakenEntry last;
    ASSERT_TRUE(navchain::Remove(block_, u"b", &last));
    EXPECT_FALSE(last.next);
    ASSERT_TRUE(navchain::Append(block_, u"b", 9));
    EXPECT_FALSE(navchain::PutBack(block_, last));  // back in other letter case
    EXPECT_EQ(navchain::Entries(block_)[2].code, 9);
    EXPECT_TRUE(navchain::CheckInvariants(block_));
}

TEST_F(ChainBlockTest, PutBackNeedsRoom) {
    ASSERT_EQ(AppendLongPaths(7), 7);
    TakenEntry taken;
    ASSERT_TRUE(navchain::Remove(block_, u"A" + std::u16string(258, u'x'), &taken));
    ASSERT_TRUE(navchain::Append(block_, std::u16string(259, u'z'), 0));
    EXPECT_FALSE(navchain::PutBack(block_, taken));
    EXPECT_EQ(Unit(2047), 0);
    EXPECT_TRUE(navchain::CheckInvariants(block_));
    EXPECT_FALSE(navchain::PutBack(block_, TakenEntry{}));
}

TEST_F(ChainBlockTest, AFullBlockRefusesNewEntries) {
    EXPECT_EQ(AppendLongPaths(20), 2047 / 264);  // 264 units per entry
    EXPECT_TRUE(navchain::CheckInvariants(block_));
    std::u16string fits(2047 - 7 * 264 - 5, u'y');  // ends at unit 2046
    EXPECT_FALSE(navchain::Append(block_, fits + u"y", 1));  // would reach unit 2047
    EXPECT_TRUE(navchain::Append(block_, fits, 1));
    EXPECT_EQ(Unit(2047), 0);
    EXPECT_TRUE(navchain::CheckInvariants(block_));
}

TEST_F(ChainBlockTest, PathsLongerThan259AndEmptyPathsAreRefused) {
    EXPECT_FALSE(navchain::Append(block_, std::u16string(260, u'x'), 0));
    EXPECT_FALSE(navchain::Append(block_, std::u16string(2043, u'x'), 0));
    EXPECT_FALSE(navchain::Append(block_, u"", 0));
    EXPECT_TRUE(navchain::Append(block_, std::u16string(259, u'x'), 0));
}

TEST_F(ChainBlockTest, CorruptLengthsEndTheWalk) {
    AppendAll({u"A", u"B"});
    SetUnit(6, 3);  // B's length below the header size
    EXPECT_EQ(Paths(), std::vector<std::u16string>{u"A"});
    NavEntry entry;
    EXPECT_FALSE(navchain::Next(block_, u"A", &entry));
    EXPECT_TRUE(navchain::Append(block_, u"C", 9));  // written where the chain now ends
    EXPECT_EQ(Paths(), (std::vector<std::u16string>{u"A", u"C"}));
    EXPECT_TRUE(navchain::CheckInvariants(block_));

    SetUnit(6, 2042);  // reaches past unit 2046
    EXPECT_EQ(Paths(), std::vector<std::u16string>{u"A"});
    EXPECT_FALSE(navchain::CheckInvariants(block_));
    EXPECT_TRUE(navchain::Remove(block_, u"A"));
    EXPECT_TRUE(Paths().empty());
}

TEST_F(ChainBlockTest, AnEntryOverTheSentinelIsRefusedWhileOneEndingBeforeItIsRead) {
    SetUnit(0, 2048);
    EXPECT_TRUE(navchain::Entries(block_).empty());
    SetUnit(0, 2047);  // units 0..2046; the sentinel ends the chain
    SetUnit(4, u'x');
    std::vector<NavEntry> entries = navchain::Entries(block_);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, u"x");  // cut at its first NUL, as callers read it
}

TEST_F(ChainBlockTest, HostileBlocksNeverLeadOutside) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        for (std::uint8_t& byte : block_) byte = static_cast<std::uint8_t>(random() % (round % 3 == 0 ? 8 : 256));
        NavEntry entry;
        navchain::Next(block_, u"a", &entry);
        navchain::Previous(block_, u"a", &entry);
        navchain::Remove(block_, u"\u0004");
        for (const NavEntry& seen : navchain::Entries(block_)) EXPECT_LE(seen.path.size(), kMaxNavPathLength);
        if (navchain::Append(block_, u"new path", 1)) {
            EXPECT_FALSE(navchain::Append(block_, u"NEW PATH", 1));
        }
    }
}

class NavChainTest : public ::testing::Test {
protected:
    NavChainNames Names() const { return NavChainNames{String(block_.Name()), String(mutex_.Name())}; }
    NameCleanup block_{UniqueName("ShareMemory")};
    NameCleanup mutex_{UniqueName("Semaphore")};
};

TEST_F(NavChainTest, InstancesShareOneChain) {
    NavChain first, second;
    ASSERT_TRUE(first.Attach(Names()));
    ASSERT_TRUE(second.Attach(Names()));
    EXPECT_TRUE(first.Append(u"C:\\A.txt", 932));
    EXPECT_TRUE(second.Append(u"C:\\B.txt", 0));
    EXPECT_FALSE(second.Append(u"c:\\a.TXT", 1));
    NavEntry entry;
    ASSERT_TRUE(second.Previous(u"C:\\B.txt", &entry));
    EXPECT_EQ(entry.path, u"C:\\A.txt");
    EXPECT_EQ(entry.code, 932);
    ASSERT_TRUE(first.Next(u"C:\\A.txt", &entry));
    EXPECT_EQ(entry.path, u"C:\\B.txt");
    EXPECT_TRUE(first.Remove(u"C:\\A.txt"));
    EXPECT_EQ(second.Entries().size(), 1u);
}

TEST_F(NavChainTest, TheChainEndsWithItsLastInstance) {
    {
        NavChain only;
        ASSERT_TRUE(only.Attach(Names()));
        only.Append(u"C:\\A.txt", 0);
    }
    NavChain next;
    ASSERT_TRUE(next.Attach(Names()));
    EXPECT_TRUE(next.Entries().empty());
}

// Never attached, or refused a mutex that cannot be made.
TEST_F(NavChainTest, WithoutTheBlockNothingHappens) {
    NavChain never, refused;
    // Too long for any system's object names, and in a namespace that does not exist.
    EXPECT_FALSE(refused.Attach({String(block_.Name()), String(u"NoSuchNamespace\\" + std::u16string(300, u'm'))}));
    for (NavChain* detached : {&never, &refused}) {
        NavEntry entry;
        EXPECT_FALSE(detached->IsAttached());
        EXPECT_FALSE(detached->Append(u"C:\\A.txt", 0));
        EXPECT_FALSE(detached->Next(u"C:\\A.txt", &entry));
        EXPECT_FALSE(detached->Previous(u"C:\\A.txt", &entry));
        EXPECT_FALSE(detached->Remove(u"C:\\A.txt"));
        EXPECT_TRUE(detached->Entries().empty());
    }
}

TEST(NavChainNamesTest, TheRealNamesAttach) {
    NavChain chain;
    EXPECT_TRUE(chain.Attach());
    NavEntry entry;
    EXPECT_FALSE(chain.Next(u"C:\\surely\\not\\visited\\by\\anyone.txt", &entry));
}

}  // namespace
}  // namespace pathbook
