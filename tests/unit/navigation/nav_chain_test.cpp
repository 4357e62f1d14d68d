#include <gtest/gtest.h>

#include <string>

#include "navigation/nav_chain.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

using test::NameCleanup;
using test::UniqueName;

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

TEST_F(NavChainTest, WithoutTheBlockNothingHappens) {
    NavChain detached;
    NavEntry entry;
    EXPECT_FALSE(detached.Append(u"C:\\A.txt", 0));
    EXPECT_FALSE(detached.Next(u"C:\\A.txt", &entry));
    EXPECT_FALSE(detached.Previous(u"C:\\A.txt", &entry));
    EXPECT_FALSE(detached.Remove(u"C:\\A.txt"));
    EXPECT_TRUE(detached.Entries().empty());
}

TEST_F(NavChainTest, AMutexThatCannotBeMadeLeavesTheChainDetached) {
    // Too long for any system's object names, and in a namespace that does not exist.
    NavChainNames names{String(block_.Name()), String(u"NoSuchNamespace\\" + std::u16string(300, u'm'))};
    NavChain chain;
    EXPECT_FALSE(chain.Attach(names));
    EXPECT_FALSE(chain.IsAttached());
    EXPECT_FALSE(chain.Append(u"C:\\A.txt", 0));
}

TEST(NavChainNamesTest, TheRealNamesAttach) {
    NavChainNames names;
    EXPECT_EQ(names.block, String(u"PathShare_ShareMemory"));
    EXPECT_EQ(names.mutex, String(u"PathShare_Semaphore"));
    NavChain chain;
    EXPECT_TRUE(chain.Attach());
    NavEntry entry;
    EXPECT_FALSE(chain.Next(u"C:\\surely\\not\\visited\\by\\anyone.txt", &entry));
}

}  // namespace
}  // namespace pathbook
