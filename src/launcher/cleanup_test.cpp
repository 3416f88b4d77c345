#include <gtest/gtest.h>

#include <filesystem>

#include "exec/strutil.h"
#include "provision/extractjvm.h"
#include "provision/provisiontesting.h"
#include "discovery/sysdirs.h"
#include "launcher/entry.h"
#include "launcher/install.h"
#include "platform/process.h"
#include "testing/childprogram.h"
#include "testing/tempdir.h"

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

// "native.properties" names paths with forward slashes (its reader turns them back).
std::string propertiesPath(const fs::path& path)
{
    return path.generic_string();
}

TEST(CleanUp, ManifestListedFilesAndTheInstallerGo)
{
    TempDir victim;
    TempDir dir(true);
    const std::string outside = victim.write("v.txt", "keep").string();
    const std::string climb = "../" + victim.path().filename().string() + "/v.txt";
    dir.write("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nName: lib/a.jar\r\nname: lib/b.jar\r\n"
                                      "Name: c.txt   \r\nName: " + outside + "\r\nName: lib/../" + climb +
                                      "\r\nName: lib/./a.jar\r\nName: lib/out/v.txt\r\n\r\n");
    for (const char* name : {"lib/a.jar", "lib/b.jar", "c.txt", "install.jar"})
        dir.write(name, "x");
    std::error_code noLinks; // where links cannot be made, the other names still count
    fs::create_directory_symlink(victim.path(), "lib/out", noLinks);
    Install().cleanUpManifest(true);
    EXPECT_EQ(readFile(outside), "keep"); // absolute, climbing or through a link: refused
    EXPECT_FALSE(fs::exists("lib/a.jar"));
    EXPECT_TRUE(fs::exists("lib/b.jar")); // "name:" in lower case names nothing
    EXPECT_FALSE(fs::exists("c.txt"));
    EXPECT_FALSE(fs::exists("install.jar"));
    EXPECT_FALSE(fs::exists("META-INF"));
}

// Paths relative to the test's tree: the temporary directory ("" none), the JVM home, where a
// Java program is, which directory the deletion is about.
TEST(CleanUp, DeletesOnlyATemporaryJvmAndRegistersOnlyWhatStays)
{
    const struct {
        const char *installedInTemp, *temp, *home, *javaIn, *tree;
        bool deleted, registered;
    } cases[] = {
        {"TRUE", "", "jre", "jre", "jre", true, false},
        {"true", "t", "t/jre", "t/jre", "t", true, false},
        {"false", "", "jre", "jre", "jre", false, false},
        {"true", "", "data", "", "data", false, false},     // holds no Java program: no JVM
        {"true", "t", "jre", "jre", "t", false, true},      // does not hold the JVM home
        {"true", "gone", "jre", "jre", "jre", false, true}, // nothing to delete: the JVM stays
    };
    for (const auto& c : cases) {
        testing_support::ProvisionSandbox box;
        box.write("jinstall.log", "");
        box.write("{root}\\" + std::string(c.tree) + "\\x", "x");
        if (*c.javaIn)
            box.write("{root}\\" + std::string(c.javaIn) + "\\bin\\java.exe", "x");
        std::string properties = "nativeJvmHomeDir=" + propertiesPath(box.root.path() / c.home) +
                                 "\nnativeJvmInstalledInTemp=" + c.installedInTemp + "\n";
        if (*c.temp)
            properties += "nativeTempJvmDir=" + propertiesPath(box.root.path() / c.temp) + "\n";
        box.write("native.properties", properties);
        Install run;
        run.control.jvmVersion = "1.8.0";
        run.control.jvmName = "JRE";
        run.control.jvmCommandName = "java.exe";
        run.homeDirectory = box.expand("{win}");
        run.cleanUpJvmDir();
        EXPECT_EQ(!fs::exists(box.root.path() / c.tree), c.deleted) << properties;
        EXPECT_EQ(!readMachineValue(std::string(JreEntry) + "\\1.8", "JavaHome").empty(), c.registered) << properties;
    }
}

// The clean-up asks the guard: a protected directory of the test's own tree is found intact.
// Everything named lies inside that tree, so even a broken guard deletes nothing else.
TEST(CleanUp, KeepsTheStartAndWorkingDirectories)
{
    TempDir tree(true);
    tree.write("start/keep.txt", "keep");
    tree.write("work/payload.txt", "keep");
    tree.write("windows/system32/keep.txt", "keep");
    fs::current_path(tree.path() / "work");
    tree.write("work/startdir.txt", (tree.path() / "start").string() + "\n");
    for (const fs::path& target :
         {tree.path() / "start", tree.path(), tree.path() / "work", tree.path() / "windows" / "system32"}) {
        tree.write("work/native.properties",
                   "nativeJvmHomeDir=" + propertiesPath(target) + "\nnativeJvmInstalledInTemp=true\n");
        Install run;
        run.homeDirectory = (tree.path() / "windows").string();
        run.cleanUpJvmDir();
        for (const char* kept : {"start/keep.txt", "work/payload.txt", "windows/system32/keep.txt"})
            ASSERT_EQ(readFile(tree.path() / kept), "keep") << target << " " << kept;
    }
}

// Logs are appended in the start directory, other files stay behind; a link or a second name
// placed under a log's name there receives nothing: that log goes to the Windows directory.
TEST(CleanUp, LogsAreAppendedWhereTheUserFindsThemNeverThroughALink)
{
    TempDir start, windows, victim;
    TempDir work(true);
    start.write("jinstall.log", "older run\n");
    work.write("startdir.txt", start.str() + "  \r\n");
    work.write("jinstall.log", "this run\n");
    work.write("errors.log", "failure\n");
    work.write("qbxpand.log", "expanded\n");
    work.write("notes.txt", "not a log");
    const fs::path target = victim.write("victim.txt", "keep");
    std::error_code noLinks; // where links cannot be made, the second name still counts
    fs::create_symlink(target, start.path() / "errors.log", noLinks);
    fs::create_hard_link(target, start.path() / "qbxpand.log");
    Install run;
    run.homeDirectory = windows.str();
    run.cleanUpLogFiles();
    // The trace line about the copy lands in the trace before it is appended.
    EXPECT_EQ(readFile(start.path() / "jinstall.log").rfind("older run\nthis run\n", 0), 0u);
    EXPECT_FALSE(fs::exists(start.path() / "notes.txt"));
    EXPECT_EQ(readFile(target), "keep");
    EXPECT_EQ(readFile(windows.path() / "errors.log"), noLinks ? "" : "failure\n");
    EXPECT_EQ(readFile(windows.path() / "qbxpand.log"), "expanded\n");
    EXPECT_TRUE(fs::exists("jinstall.log")); // the originals stay
}

TEST(Install, DirectoryProbes)
{
    TempDir dir;
    fs::create_directories(dir.path() / "winnt");
    fs::create_directories(dir.path() / "winnt2");
    Install run;
    EXPECT_TRUE(run.isDirWriteProtected(""));
    // A link placed under the probe's old fixed name is never written through, and no probe stays.
    dir.write("victim", "keep");
    std::error_code noLinks;
    fs::create_symlink(dir.path() / "victim", dir.path() / "__qbxtest.zos", noLinks);
    EXPECT_FALSE(run.isDirWriteProtected(dir.str()));
    EXPECT_EQ(readFile(dir.path() / "victim"), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), noLinks ? 3 : 4);
    EXPECT_TRUE(run.isDirWriteProtected((dir.path() / "missing").string()));

    // The first existing entry of the search path that ends with the name, in lower case.
    std::string saved;
    bool had = platform::getEnv("PATH", saved);
    std::string upper = (dir.path() / "WINNT").string();
    platform::putEnv("PATH=;" + (dir.path() / "winnt2").string() + ";" + (dir.path() / "missing" / "winnt").string() +
                     ";" + upper + ";");
    std::string found;
    EXPECT_TRUE(run.isDirInPath("WinNT", found));
    EXPECT_EQ(found, toLower(upper));
    EXPECT_FALSE(run.isDirInPath("windows", found));
    if (had)
        platform::putEnv("PATH=" + saved);
}

} // namespace
