#include "platform/foldertrust.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "testing/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(FolderTrust, AProtectedFolderKeepsOthersOutWhateverTheUmask)
{
    testing_support::TempDir dir;
    mode_t previous = ::umask(0);
    bool made = platform::makeProtectedDir((dir.path() / "p").string());
    ::umask(previous);
    ASSERT_TRUE(made);
    EXPECT_EQ(fs::status(dir.path() / "p").permissions() & (fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
    EXPECT_EQ(platform::folderTrust((dir.path() / "p").string()), platform::FolderTrust::Trusted);
    EXPECT_FALSE(platform::makeProtectedDir((dir.path() / "p").string())); // it exists: not made again
}

} // namespace
