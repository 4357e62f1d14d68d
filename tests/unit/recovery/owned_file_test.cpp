// An owned file: one owner at a time, and free for the taking once let go.
#include <gtest/gtest.h>

#include "platform/file_stamp.h"
#include "platform/owned_file.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using platform::OwnedFile;

TEST(OwnedFileTest, OneOwnerAtATime) {
    test::TempFolder temp;
    std::u16string path = temp.File("x.owner");
    const char16_t* name = path.c_str();
    OwnedFile first, second;
    EXPECT_FALSE(second.Claim(name));  // nothing to claim yet
    ASSERT_TRUE(first.Create(name));
    EXPECT_FALSE(second.Create(name));  // it exists
    EXPECT_FALSE(second.Claim(name));   // its owner lives, here in the same process too
    first.Close(false);
    EXPECT_TRUE(platform::QueryFileStamp(name).exists);
    ASSERT_TRUE(second.Claim(name));  // let go without removing: free
    EXPECT_FALSE(first.Claim(name));
    second.Close(true);
    EXPECT_FALSE(platform::QueryFileStamp(name).exists);
    EXPECT_FALSE(first.Claim(name));
    EXPECT_TRUE(first.Create(name));
}

}  // namespace
}  // namespace pathbook
