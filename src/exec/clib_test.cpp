#include "exec/clib.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exec/fexists.h"
#include "platform/files.h"
#include "testing/tempdir.h"

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

// A directory longer than the limit is refused, never cut into another path.
TEST(GetCurrentDir, TooLongIsRefused)
{
    TempDir dir(true);
    std::string current;
    getCurrentDir(current, 3);
    EXPECT_EQ(current, ".");
}

TEST(CopyStream, NullStreamsAndReadErrorsFail)
{
    TempDir dir(true);
    dir.write("data.bin", "0123456789");
    std::FILE* out = platform::openFile("out.bin", "wb");
    EXPECT_FALSE(copyStream(nullptr, out));
    // A stream that cannot be read never reaches end of file: the copy must end, with false.
    std::FILE* writeOnly = platform::openFile("data.bin", "ab");
    EXPECT_FALSE(copyStream(writeOnly, out));
    std::fclose(writeOnly);
    std::fclose(out);
}

TEST(DelDirTree, RemovesNestedTreesAndLeavesWhatCannotBeRemoved)
{
    TempDir dir;
    dir.write("tree/a.txt", "a");
    dir.write("tree/sub/c.txt", "c");
    dir.write("file.txt", "x");
    auto locked = dir.write("stuck/locked.txt", "keep");
    fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string before = fs::current_path().string();
    EXPECT_TRUE(delDirTree((dir.path() / "tree").string()));
    EXPECT_FALSE(fs::exists(dir.path() / "tree"));
    // What cannot be entered or removed stays; the working directory is restored in any case.
    EXPECT_FALSE(delDirTree((dir.path() / "missing").string()));
    EXPECT_FALSE(delDirTree((dir.path() / "file.txt").string()));
    EXPECT_FALSE(delDirTree((dir.path() / "stuck").string()));
    EXPECT_TRUE(fs::exists(dir.path() / "file.txt"));
    EXPECT_TRUE(fs::exists(locked));
    EXPECT_EQ(fs::current_path().string(), before);
}

TEST(DelDirTree, RemovesLinksWithoutFollowingThem)
{
    TempDir dir;
    dir.write("outside/precious.txt", "keep");
    dir.write("tree/file.txt", "x");
    std::error_code error;
    fs::create_directory_symlink(dir.path() / "outside", dir.path() / "tree/link", error);
    if (error)
        GTEST_SKIP() << "no directory links here: " << error.message();
    EXPECT_TRUE(delDirTree((dir.path() / "tree").string()));
    EXPECT_FALSE(fs::exists(dir.path() / "tree"));
    // The directory given is itself a link: only the link goes.
    fs::create_directory_symlink(dir.path() / "outside", dir.path() / "alias", error);
    delDirTree((dir.path() / "alias").string());
    EXPECT_EQ(readFile(dir.path() / "outside/precious.txt"), "keep");

    // Swapped for a link after it was tested: not entered, so nothing of the target is removed.
    fs::create_directories(dir.path() / "swapped");
    platform::FileIdentity tested;
    ASSERT_TRUE(platform::entryIdentity((dir.path() / "swapped").string(), tested));
    fs::remove(dir.path() / "swapped");
    fs::create_directory_symlink(dir.path() / "outside", dir.path() / "swapped");
    const fs::path before = fs::current_path();
    EXPECT_FALSE(enterTestedDirectory((dir.path() / "swapped").string(), tested));
    EXPECT_EQ(fs::current_path(), before);
}

} // namespace
