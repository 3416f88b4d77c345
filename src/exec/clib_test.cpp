#include "exec/clib.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exec/fexists.h"
#include "platform/files.h"
#include "platform/process.h"
#include "testing/tempdir.h"

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

std::string nativeJoin(const TempDir& dir, const std::string& name)
{
    return (dir.path() / name).string();
}

TEST(Fexists, TestsOnlyThePathBetweenQuotes)
{
    TempDir dir(true);
    dir.write("prog.exe", "x");
    EXPECT_TRUE(fexists("prog.exe"));
    EXPECT_TRUE(fexists("\"prog.exe\" -q extra words"));
    EXPECT_TRUE(fexists("\"prog.exe"));
    EXPECT_FALSE(fexists("\"missing.exe\" prog.exe"));
    EXPECT_FALSE(fexists("prog.exe -q"));
    EXPECT_TRUE(fexists(dir.str()));
    EXPECT_TRUE(isDir(dir.str()));
    EXPECT_FALSE(isDir("prog.exe"));
    EXPECT_FALSE(isDir("missing"));
}

TEST(GetCurrentDir, HasNoTrailingSeparator)
{
    TempDir dir(true);
    std::string current;
    getCurrentDir(current);
    ASSERT_FALSE(current.empty());
    EXPECT_NE(current.back(), '\\');
    EXPECT_NE(current.back(), '/');
    EXPECT_TRUE(fs::equivalent(fs::path(current), dir.path()));
    // A directory longer than the limit is refused, never cut into another path.
    getCurrentDir(current, 3);
    EXPECT_EQ(current, ".");
}

TEST(CopyStream, BuffersAndWritesFollowTheSize)
{
    const struct {
        long size;
        unsigned buffers, writes;
    } cases[] = {{0, 1, 0}, {30000, 2, 1}, {65000, 3, 3}, {900001, 20, 31}};
    for (const auto& c : cases) {
        TempDir dir(true);
        std::string bytes;
        for (long i = 0; i < c.size; ++i)
            bytes += static_cast<char>('a' + i % 23);
        dir.write("in.bin", bytes);
        std::FILE* in = platform::openFile("in.bin", "rb");
        std::FILE* out = platform::openFile("out.bin", "wb");
        CopyStreamStats stats;
        EXPECT_TRUE(copyStream(in, out, &stats));
        std::fclose(in);
        std::fclose(out);
        EXPECT_EQ(stats.buffers, c.buffers) << c.size;
        EXPECT_EQ(stats.writes, c.writes) << c.size;
        EXPECT_EQ(readFile("out.bin"), bytes);
    }
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

TEST(CopyFile, CopiesAndNeverLeavesPartialDestinations)
{
    TempDir dir(true);
    dir.write("src.txt", "content");
    fs::create_directory(dir.path() / "adir");
    EXPECT_TRUE(copyFile("src.txt", "dst.txt"));
    EXPECT_EQ(readFile("dst.txt"), "content");
    EXPECT_TRUE(copyFile("src.txt", "dst.txt")); // truncates an older copy
    EXPECT_EQ(readFile("dst.txt"), "content");

    EXPECT_FALSE(copyFile("missing.txt", "none1.txt"));
    EXPECT_FALSE(fs::exists("none1.txt"));
    EXPECT_FALSE(copyFile("adir", "none2.txt"));
    EXPECT_FALSE(fs::exists("none2.txt"));
    // A destination that cannot be written: a directory of that name, or a missing folder.
    EXPECT_FALSE(copyFile("src.txt", "adir"));
    EXPECT_TRUE(fs::is_directory("adir"));
    EXPECT_FALSE(copyFile("src.txt", nativeJoin(dir, "nofolder/dst.txt")));
    EXPECT_FALSE(fs::exists(dir.path() / "nofolder"));
}

TEST(AppendFile, CreatesOrExtendsTheDestination)
{
    TempDir dir(true);
    dir.write("a.log", "first\n");
    EXPECT_TRUE(appendFile("a.log", "new.log"));
    EXPECT_EQ(readFile("new.log"), "first\n");
    appendFile("a.log", "new.log");
    EXPECT_EQ(readFile("new.log"), "first\nfirst\n");
    EXPECT_FALSE(appendFile("missing.log", "new.log"));
    EXPECT_EQ(readFile("new.log"), "first\nfirst\n");
}

TEST(DelDirTree, RemovesNestedTrees)
{
    TempDir dir;
    dir.write("tree/a.txt", "a");
    dir.write("tree/sub/b.txt", "b");
    dir.write("tree/sub/deeper/c.txt", "c");
    fs::create_directories(dir.path() / "tree/empty");
    std::string before = fs::current_path().string();
    EXPECT_TRUE(delDirTree(nativeJoin(dir, "tree")));
    EXPECT_FALSE(fs::exists(dir.path() / "tree"));
    EXPECT_EQ(fs::current_path().string(), before);

    fs::create_directories(dir.path() / "empty");
    EXPECT_TRUE(delDirTree(nativeJoin(dir, "empty")));
    EXPECT_FALSE(fs::exists(dir.path() / "empty"));
    // What cannot be entered is left alone.
    dir.write("file.txt", "x");
    EXPECT_FALSE(delDirTree(nativeJoin(dir, "missing")));
    EXPECT_FALSE(delDirTree(nativeJoin(dir, "file.txt")));
    EXPECT_TRUE(fs::exists(dir.path() / "file.txt"));
}

TEST(DelDirTree, StopsAtAFileThatCannotBeRemovedAndRestoresTheDirectory)
{
    TempDir dir;
    auto locked = dir.write("tree/locked.txt", "keep");
    fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string before = fs::current_path().string();
    EXPECT_FALSE(delDirTree(nativeJoin(dir, "tree")));
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
    EXPECT_TRUE(delDirTree(nativeJoin(dir, "tree")));
    EXPECT_FALSE(fs::exists(dir.path() / "tree"));
    EXPECT_EQ(readFile(dir.path() / "outside/precious.txt"), "keep");

    // The directory given is itself a link: only the link goes.
    fs::create_directory_symlink(dir.path() / "outside", dir.path() / "alias", error);
    ASSERT_FALSE(error);
    delDirTree(nativeJoin(dir, "alias"));
    EXPECT_EQ(readFile(dir.path() / "outside/precious.txt"), "keep");
}

} // namespace
