// Portable mode: portable.ini beside the program moves its state beside it.
#include <gtest/gtest.h>

#include "platform/local_data.h"
#include "platform/portable_mode.h"
#include "platform/shell_folder.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::TempFolder;

TEST(PortableModeTest, PortableIniBesideTheProgramNamesItsFolder) {
    TempFolder folder;
    const std::u16string program = folder.File("Pathbook.exe");
    const std::u16string programFolder = program.substr(0, program.size() - 13);
    EXPECT_EQ(platform::PortableFolderOf(program), u"") << "no portable.ini yet";
    folder.Write("portable.ini", "");  // an empty file will do
    EXPECT_EQ(platform::PortableFolderOf(program), programFolder);
    EXPECT_EQ(platform::PortableFolderOf(u"Pathbook.exe"), u"") << "a path without a folder";
    EXPECT_EQ(platform::PortableFolderOf(u""), u"");
}

TEST(PortableModeTest, AFolderNamedPortableIniDoesNotCount) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "portable.ini");
    EXPECT_EQ(platform::PortableFolderOf(folder.File("Pathbook.exe")), u"");
}

// The test program has no portable.ini beside it: the user's folders.
TEST(PortableModeTest, WithoutItTheUsersFolders) {
    EXPECT_EQ(platform::PortableFolder(), u"");
    const std::u16string settings = platform::AppDataFilePath(u"Pathbook.ini");
    EXPECT_EQ(settings, platform::ShellFolderPath(platform::kShellFolderAppData) + u"\\Pathbook.ini");
    const std::u16string local = platform::LocalDataFolder();
    ASSERT_GT(local.size(), 9u);
    const std::u16string tail = local.substr(local.size() - 9);
    EXPECT_TRUE(tail == u"\\Pathbook" || tail == u"\\pathbook");
}

}  // namespace
}  // namespace pathbook
