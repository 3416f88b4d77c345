#include "provision/jvminstaller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "discovery/jvmtesting.h"
#include "provision/provisiontesting.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProvisionSandbox;
using testing_support::contains;
using testing_support::readFile;

// Each row fills a fresh sandbox, then chooses a directory for a JRE 1.8.0. blockers: files standing
// where directories would go; jvmAt: directories holding bin\java.exe (any executable passes here);
// programFiles: Program Files' name, if not the usual; expected: "" when none can be chosen;
// standInOnly: needs what only the stand-in does (moves the Windows directory or the documents
// folder, or makes a folder every user may change: under Wine the end-to-end run does);
// openToAll: folders every user may change.
const struct PreferenceCase {
    const char *predefined, *blockers, *jvmAt, *programFiles, *expected;
    bool discovered;
    const char* trace;
    bool standInOnly;
    const char* openToAll = "";
} PreferenceCases[] = {
    {"[$ProgFilesDir]\\MyApp\\jvm", "", "", "", "{pf}\\MyApp\\jvm", false, "trying to install JVM into", false},
    {"[$ProgFilesDir]", "", "", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false, "invalid predefined directory", false},
    {"[$ProgFilesDir]\\", "", "", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false, "invalid default jvm install", false},
    {"[$Other]\\x", "", "", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false, "unknown variable used to install", false},
    {"[$WinDir]\\MyJvm", "", "", "", "{win}\\MyJvm", false, "", true},
    {"", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", true, "discovered jvm: true", false},
    {"", "", "", "..\\missing", "{docs}\\JavaSoft\\JRE1.8\\1.8.0", false,
     "Ok to use Program files subdirectory for jvm: false", true},
    // Preferences 3 to 6, each reached by blocking the one before with a file.
    {"", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", "", "", "jvm\\jre1.8\\1.8", false, "  doesn't have correct version", false},
    {"", "{pf}\\JavaSoft", "", "", "jvm\\jre1.8\\1.8", false, "Unable to create: ", false},
    {"", "{pf}\\JavaSoft;{work}\\jvm", "", "", "{win}\\jvm\\jre1.8\\1.8", false, "", false},
    {"", "{pf}\\JavaSoft;{work}\\jvm;{win}\\jvm;{root}\\path1\\jvm", "", "", "{root}\\path2\\jvm\\jre1.8\\1.8", false,
     "", false},
    {"", "{pf}\\JavaSoft;{work}\\jvm;{win}\\jvm;{root}\\path1\\jvm;{root}\\path2\\jvm", "", "", "", false,
     "Unable to create a new directory to install JVM", false},
    // At last the working directory's "jvm" tree is deleted and made afresh.
    {"", "{pf}\\JavaSoft;{work}\\jvm\\jre1.8;{win}\\jvm;{root}\\path1\\jvm;{root}\\path2\\jvm", "", "",
     "{work}\\jvm\\jre1.8\\1.8", false, "", false},
    // A "jvm" tree used before: its JVM is taken when it passes, else a fresh level below it.
    {"", "{pf}\\JavaSoft", "jvm\\jre1.8;jvm\\jre1.8\\1.8", "", "jvm\\jre1.8", true, "", false},
    {"", "{pf}\\JavaSoft", "jvm\\jre1.8\\1.8", "", "jvm\\jre1.8\\jre1.8", false, "", false},
    // A JVM of an earlier expansion, in the bundled JVM's home subdirectory of a version folder.
    {"", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0\\jre", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", true, "", false},
    // A JVM planted in a folder others can change is never tested, nor is anything made there.
    {"", "{pf}\\JavaSoft;{work}\\jvm;{win}\\jvm", "{root}\\path1\\jvm\\jre1.8;{root}\\path1\\jvm\\jre1.8\\1.8", "",
     "{root}\\path2\\jvm\\jre1.8\\1.8", false, "passed over a folder that others can change {root}\\path1", true,
     "{root}\\path1"},
    {"{root}\\path1\\MyJvm", "", "", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false, "passed over a folder", true,
     "{root}\\path1"},
};

TEST(JvmInstaller, ChoosesByTheOrderOfPreference)
{
    for (const PreferenceCase& c : PreferenceCases) {
        ProvisionSandbox box;
        ASSERT_TRUE(box.keys.ready());
        if (c.standInOnly && !box.keys.isStandIn())
            continue;
        box.write("jinstall.log", "");
        box.setEnv("PATH", box.expand(";{root}\\path1;{root}\\path2")); // an empty entry first
        if (*c.programFiles)
            box.setProgramFiles(c.programFiles);
        for (const std::string& blocker : box.list(c.blockers))
            box.write(blocker, "");
        for (const std::string& jvm : box.list(c.jvmAt))
            testing_support::makeFakeJvm(box.at(jvm) / "bin", {"java.exe"});
        for (const std::string& open : box.list(c.openToAll))
            fs::permissions(box.at(open), fs::perms::all);

        JvmInstaller installer;
        installer.setJvmHomeSubdirectory("./jre");
        installer.setHomeDirectory(box.expand("{win}"));
        std::string command = "java.exe", directory, jvmPath;
        bool chosen = installer.createJvmDirectory("", "", "", "1.8.0", "JRE", command, box.expand(c.predefined),
                                                   directory, jvmPath);
        SCOPED_TRACE(std::string(c.predefined) + " " + c.blockers);
        EXPECT_EQ(chosen ? ProvisionSandbox::windowsForm(directory) : "", box.expand(c.expected));
        EXPECT_TRUE(!chosen || fs::is_directory(box.at(directory)));
        EXPECT_EQ(installer.isJvmDiscovered(), c.discovered);
        std::string logs = ProvisionSandbox::windowsForm(readFile("jinstall.log") + readFile("errors.log"));
        EXPECT_TRUE(contains(logs, box.expand(c.trace)));
        for (const std::string& open : box.list(c.openToAll))
            EXPECT_FALSE(fs::exists(box.at(open + "\\MyJvm"))) << open;
    }
}

TEST(JvmInstaller, CutsOrRefusesWhatExceedsItsFields)
{
    ProvisionSandbox box;
    ASSERT_TRUE(box.keys.ready());
    box.write("jinstall.log", "");
    JvmInstaller installer;
    std::string command = "java.exe", directory, jvmPath;
    box.setEnv("PATH", std::string(6000, 'x'));
    box.write("jvm", ""); // preferences 2, 3 and 6 fail
    box.write("{pf}\\JavaSoft\\JDK1.8", "");
    EXPECT_FALSE(installer.createJvmDirectory("", "", "", "1.8.0", "JDK", command, "", directory, jvmPath));
    EXPECT_TRUE(contains(readFile("jinstall.log"), "search path cut to 4999 characters"));

    std::string base = std::string(4990, 'd');
    EXPECT_FALSE(installer.addDirectory(base, "0123456789"));
    EXPECT_EQ(base, std::string(4990, 'd'));

    // (Such paths exceed what Windows' 8-bit file functions take: only the names made or tried count.)
    // Types are matched exactly: "jre" is unknown, and gets a JVM<family> directory of its own.
    std::string version = "1." + std::string(150, '8');
    installer.createJvmDirectory("", "", "", version, "jre", command, "", directory, jvmPath);
    std::string trace = readFile("jinstall.log") + directory;
    EXPECT_TRUE(contains(trace, "version part cut to 99 characters"));
    EXPECT_TRUE(contains(trace, "JVM" + version.substr(0, 99)));
    EXPECT_FALSE(contains(trace, "JVM" + version.substr(0, 100)));
}

TEST(JvmInstaller, DeletesALeftOverJvmTreeButNotThePayloadProgramInIt)
{
    ProvisionSandbox box;
    box.write("jinstall.log", "");
    box.write("jvm\\setup.exe", "x");
    JvmInstaller installer;
    installer.setPayloadProgram(box.expand("{work}\\jvm\\setup.exe"));
    installer.deleteTempJvmDir(box.expand("{work}"));
    EXPECT_TRUE(fs::exists("jvm/setup.exe"));
    EXPECT_TRUE(contains(readFile("jinstall.log"), "not deleting the jvm directory that holds"));

    installer.setPayloadProgram(box.expand("{work}\\setup.exe"));
    installer.deleteTempJvmDir(box.expand("{work}"));
    EXPECT_FALSE(fs::exists("jvm"));
}

} // namespace
