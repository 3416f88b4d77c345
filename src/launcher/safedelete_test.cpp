#include "launcher/safedelete.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "testing/tempdir.h"

namespace fs = std::filesystem;
using testing_support::TempDir;

namespace {

TEST(SafeDelete, RootsAndParents)
{
    struct Case {
        const char* path;
        bool root;
        const char* parent;
    } cases[] = {
        {"C:", true, "C:"},          {"C:\\", true, "C:\\"},       {"/", true, "/"},
        {"\\\\srv\\share", true, "\\\\srv\\share"},                 {"\\\\srv\\share\\x", false, "\\\\srv\\share"},
        {"C:\\a", false, "C:\\"},    {"C:\\a\\b\\", false, "C:\\a"}, {"/a", false, "/"},
        {"/a/b", false, "/a"},       {"jre", false, "jre"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isRootPath(c.path), c.root) << c.path;
        EXPECT_EQ(parentPath(c.path), c.parent) << c.path;
    }
    // The comparable form: relative names against the current directory, one spelling.
    const struct { const char *path, *comparable; } forms[] = {
        {"C:\\A\\.\\b\\..\\C\\", "c:\\a\\c"}, {"jre/./Bin", "d:\\w\\jre\\bin"}, {"d:jre", "d:\\jre"},
        {"\\\\Srv\\Share\\..\\x", "\\\\srv\\x"}, {"/a//b/", "\\a\\b"},
    };
    for (const auto& f : forms)
        EXPECT_EQ(comparablePath(f.path, "D:\\W"), f.comparable) << f.path;
}

// Every spelling of a protected directory or of one of its parents is refused. Only the guard
// is asked: nothing here deletes, so a broken guard cannot reach beyond the test's tree.
TEST(SafeDelete, DecidesOnWhatThePathsAre)
{
    TempDir tree(true); // the directory it left is entered again at its end
    fs::create_directories(tree.path() / "work" / "jre" / "bin");
    fs::create_directories(tree.path() / "start");
    fs::create_directories(tree.path() / "other");
    fs::create_directories(tree.path() / "keeps");
    std::string top = tree.str();
    std::string work = (tree.path() / "work").string();
    fs::current_path(tree.path() / "work");
    std::string cwd;
    platform::getCwd(cwd);
    // A protected directory that does not exist still protects its existing parents.
    std::vector<std::string> kept{work, (tree.path() / "start").string(), (tree.path() / "keeps" / "gone" / "x").string()};

    struct Case {
        std::string dir;
        bool safe;
    };
    std::vector<Case> cases{
        {"jre", true},
        {work + "/jre/", true},
        {"jre/bin/..", true},
        {"", false},
        {".", false},
        {"..", false},
        {"jre/../../start", false},
        {top, false},
        {top + "/missing", false}, // cannot be resolved
        {top + "/keeps", false},
        {work + "/../work/./", false},
        {"/", false},
    };
    std::error_code linkError;
    fs::create_directory_symlink(tree.path(), tree.path() / "work" / "link", linkError);
    if (!linkError)
        fs::create_directory_symlink(tree.path() / "other", tree.path() / "work" / "other", linkError);
    if (!linkError) {
        cases.push_back({"link/start", false}); // through a link to a parent
        cases.push_back({"other", false});      // a link in place of a tree
        cases.push_back({"link/other", true});
    }
    if (cwd.size() > 2 && cwd[1] == ':') {
        std::string drive = cwd.substr(0, 2);
        cases.push_back({drive + "..\\start", false}); // against the drive's current directory
        cases.push_back({drive + "jre", true});
        cases.push_back({work + ".", false});          // trailing dot
        cases.push_back({work + " ", false});          // trailing blank
        cases.push_back({"\\\\?\\" + work, false});
        cases.push_back({drive + "\\", false});
    }
    std::string resolved = "stale";
    for (const Case& c : cases) {
        EXPECT_EQ(isSafeToDeleteTree(c.dir, kept, resolved), c.safe) << c.dir;
        EXPECT_EQ(resolved.empty(), !c.safe) << c.dir;
    }
    ASSERT_TRUE(isSafeToDeleteTree("jre\\bin\\..", kept, resolved));
    EXPECT_TRUE(fs::equivalent(resolved, tree.path() / "work" / "jre"));
    EXPECT_TRUE(liesWithin("jre/bin", work));
    EXPECT_TRUE(liesWithin(work, work));
    EXPECT_FALSE(liesWithin(top + "/start", work));
    EXPECT_FALSE(liesWithin("jre", ""));
    EXPECT_TRUE(sameDirectory(work + "/.", work)); // another spelling of the same folder
    EXPECT_FALSE(sameDirectory(top + "/start", work));
}

} // namespace
