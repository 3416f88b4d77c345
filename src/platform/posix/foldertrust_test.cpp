// Who may change a folder, as the stand-in reads it from owner and mode bits.
#include "exec/trustedfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/foldertrust.h"
#include "testing/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(FolderTrust, JudgesTheFolderAndEveryLevelAboveIt)
{
    // mode of "a", mode and owner of "a/b"; the level that fails and why ("": trusted).
    const struct {
        unsigned modeA, modeB;
        bool foreignB;
        const char *level, *reason;
    } cases[] = {
        {0755, 0755, false, "", ""},
        {0755, 0775, false, "a/b", "other users may change it"},
        {0757, 0755, false, "a", "other users may change it"}, // a level above counts
        {01777, 0755, false, "", ""},                          // a sticky level is like a drive root
        {0755, 0755, true, "a/b", "owned by another user"},
    };
    for (const auto& c : cases) {
        testing_support::TempDir dir;
        fs::create_directories(dir.path() / "a/b");
        ::chmod((dir.path() / "a").c_str(), c.modeA);
        ::chmod((dir.path() / "a/b").c_str(), c.modeB);
        if (c.foreignB && (::geteuid() != 0 || ::chown((dir.path() / "a/b").c_str(), 65534, 65534) != 0))
            continue; // only root can give a folder away
        std::string why;
        bool trusted = onlyTrustedCanChange((dir.path() / "a/b").string(), why);
        EXPECT_EQ(trusted, *c.level == 0) << why;
        EXPECT_EQ(why, *c.level ? (dir.path() / c.level).string() + ": " + c.reason : "");
    }
}

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
