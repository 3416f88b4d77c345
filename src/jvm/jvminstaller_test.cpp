#include "jvm/jvminstaller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "jvm/jvmtesting.h"
#include "jvm/provisiontesting.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProvisionSandbox;
using testing_support::readFile;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Each row fills a fresh sandbox, then chooses a directory for a JVM of the type and version.
// blockers: ";"-separated files standing where directories would go; jvmAt: a directory that
// holds bin\java.exe (any executable passes here); expected: "" when no directory can be chosen;
// standInOnly: uses the Windows directory or the documents folder, which only the stand-in moves.
const struct PreferenceCase {
    const char *predefined, *type, *version, *blockers, *jvmAt, *programFiles, *expected;
    bool discovered;
    const char* trace;
    bool standInOnly;
} PreferenceCases[] = {
    {"[$ProgFilesDir]\\MyApp\\jvm", "JRE", "1.8.0", "", "", nullptr, "{pf}\\MyApp\\jvm", false,
     "trying to install JVM into {pf}\\MyApp\\jvm", false},
    {"[$ProgFilesDir]", "JRE", "1.8.0", "", "", nullptr, "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false,
     "invalid predefined directory for JVM [$ProgFilesDir]", false},
    {"[$ProgFilesDir]\\", "JRE", "1.8.0", "", "", nullptr, "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false,
     "invalid default jvm install directory", false},
    {"[$Other]\\x", "JRE", "1.8.0", "", "", nullptr, "{pf}\\JavaSoft\\JRE1.8\\1.8.0", false,
     "unknown variable used to install the JVM", false},
    {"[$AppDir]\\ignored", "JRE", "1.8.0", "", "", nullptr, "{work}\\jvm", false, "installing JVM in {work}\\jvm",
     false},
    {"[$WinDir]\\MyJvm", "JRE", "1.8.0", "", "", nullptr, "{win}\\MyJvm", false, "", true},
    {"{root}\\Apps\\Jvm", "JDK", "1.8.0", "", "", nullptr, "{root}\\Apps\\Jvm", false,
     "creating predefined jvm dir", false},
    {"", "jre", "1.8.0", "", "", nullptr, "{pf}\\JVM1.8\\1.8.0", false, "", false},
    {"", "JRE", "1.8.0", "", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", nullptr, "{pf}\\JavaSoft\\JRE1.8\\1.8.0", true,
     "discovered jvm: true", false},
    {"", "JRE", "1.8.0", "", "", "..\\missing", "{docs}\\JavaSoft\\JRE1.8\\1.8.0", false,
     "Ok to use Program files subdirectory for jvm: false", true},
    // Preferences 3 to 6, each reached by blocking the one before with a file.
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft\\JRE1.8\\1.8.0", "", nullptr, "jvm\\jre1.8\\1.8", false,
     "  doesn't have correct version", false},
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft", "", nullptr, "jvm\\jre1.8\\1.8", false, "Unable to create: ", false},
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft;{work}\\jvm", "", nullptr, "{win}\\jvm\\jre1.8\\1.8", false, "", false},
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft;{work}\\jvm;{win}\\jvm;{root}\\path1\\jvm", "", nullptr,
     "{root}\\path2\\jvm\\jre1.8\\1.8", false, "", false},
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft;{work}\\jvm;{win}\\jvm;{root}\\path1\\jvm;{root}\\path2\\jvm", "", nullptr,
     "", false, "Unable to create a new directory to install JVM", false},
    // A "jvm" tree used before: its JVM is taken when it passes, else a fresh level below it.
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft", "jvm\\jre1.8;jvm\\jre1.8\\1.8", nullptr, "jvm\\jre1.8", true, "", false},
    {"", "JRE", "1.8.0", "{pf}\\JavaSoft", "jvm\\jre1.8\\1.8", nullptr, "jvm\\jre1.8\\jre1.8", false, "", false},
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
        if (c.programFiles)
            box.setProgramFiles(c.programFiles);
        for (const std::string& blocker : box.list(c.blockers))
            box.write(blocker, "");
        std::vector<std::string> jvms = box.list(c.jvmAt);
        for (std::size_t i = 0; i < jvms.size(); ++i)
            if (i == 0)
                testing_support::makeFakeJvm(box.at(jvms[i]) / "bin", {"java.exe"});
            else
                fs::create_directories(box.at(jvms[i]));

        JvmInstaller installer;
        installer.setHomeDirectory(box.expand("{win}"));
        std::string command = "java.exe", directory, jvmPath;
        std::string predefined = box.expand(c.predefined);
        bool chosen = installer.createJvmDirectory("", "", "", c.version, c.type, command, predefined, directory,
                                                   jvmPath);
        std::string expected = box.expand(c.expected);
        SCOPED_TRACE(std::string(c.predefined) + " " + c.type + " " + c.version + " " + c.blockers);
        EXPECT_EQ(chosen, !expected.empty());
        if (chosen) {
            EXPECT_EQ(ProvisionSandbox::windowsForm(directory), expected);
            EXPECT_TRUE(fs::is_directory(box.at(directory)));
        }
        EXPECT_EQ(installer.isJvmDiscovered(), c.discovered);
        std::string logs = ProvisionSandbox::windowsForm(readFile("jinstall.log") + readFile("errors.log"));
        EXPECT_TRUE(contains(logs, box.expand(c.trace)));
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
    std::string version = "1." + std::string(150, '8');
    installer.createJvmDirectory("", "", "", version, "JRE", command, "", directory, jvmPath);
    std::string trace = readFile("jinstall.log") + directory;
    EXPECT_TRUE(contains(trace, "version part cut to 99 characters"));
    EXPECT_TRUE(contains(trace, "JRE" + version.substr(0, 99)));
    EXPECT_FALSE(contains(trace, "JRE" + version.substr(0, 100)));
}

TEST(JvmInstaller, DeletesALeftOverJvmTreeButNotThePayloadProgramInIt)
{
    ProvisionSandbox box;
    box.write("jinstall.log", "");
    box.write("jvm\\bin\\java.exe", "x");
    box.write("jvm\\setup.exe", "x");
    JvmInstaller installer;
    installer.setPayloadProgram(box.expand("{work}\\jvm\\setup.exe"));
    installer.deleteTempJvmDir(box.expand("{work}"));
    EXPECT_TRUE(fs::exists("jvm/setup.exe"));
    EXPECT_TRUE(contains(readFile("jinstall.log"), "not deleting the jvm directory that holds"));

    box.write("{root}\\outside\\keep.txt", "keep");
    if (box.keys.isStandIn()) // a link inside is removed as a link, never followed
        fs::create_directory_symlink(box.at("{root}\\outside"), "jvm/link");
    installer.setPayloadProgram(box.expand("{work}\\setup.exe"));
    installer.deleteTempJvmDir(box.expand("{work}"));
    EXPECT_FALSE(fs::exists("jvm"));
    EXPECT_EQ(readFile(box.at("{root}\\outside\\keep.txt")), "keep");
}

} // namespace
