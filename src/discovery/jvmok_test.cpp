#include "discovery/jvmok.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "discovery/jvmtesting.h"
#include "platform/process.h"
#include "testing/tempdir.h"

namespace {

using testing_support::contains;
using testing_support::readFile;
using testing_support::TempDir;

// The version is the first line of the result file, up to its limit and from its first to its last
// digit; each limit compares only as many components as it has.
TEST(CheckVersion, ComparesTheFirstLineWithTheLimits)
{
    const std::string twoLines = "java version \"1.3.1\"\njava version \"1.5.0\"\n";
    // 998 characters are read: the version must start early enough to be read whole.
    const std::string fits = std::string(993, 'x') + "1.5.0\n", cut = std::string(995, 'x') + "1.5.0\n";
    const struct {
        std::string content;
        const char *required, *minimum, *maximum;
        bool expected;
    } cases[] = {
        // required overrides the range, and matches as a prefix of whole components
        {"1.4.2_05", "1.4", "", "", true}, {"1.40", "1.4", "", "", false}, {"1.4", "1.4.2", "", "", false},
        {"1.4", "1.4", "1.5", "", true},
        // a range, either limit alone, none
        {"1.4.2", "", "1.3", "1.4", true}, {"1.5.0", "", "1.3", "1.4", false}, {"1.3", "", "1.3", "1.4", true},
        {"9.0.4", "", "11", "", false},    {"1.8.0_5", "", "1.8.0_77", "", false}, {"9.0.4", "", "", "1.8", false},
        {"1.8.0_101", "", "", "11", true},
        // a line without digits is an empty version, which has fewer components than any limit
        {"no digits", "", "", "", true},   {"no digits", "", "1.3", "", false},  {"no digits", "1.4", "", "", false},
        // only the first line counts
        {twoLines, "1.3.1", "", "", true}, {twoLines, "", "1.4", "", false},
        {fits, "1.5.0", "", "", true},     {cut, "1.5.0", "", "", false},        {cut, "1.5", "", "", true},
    };
    TempDir dir(true);
    dir.write("jinstall.log", "");
    JvmOk jvmOk;
    for (const auto& c : cases) {
        dir.write("jvmGood.txt", c.content);
        EXPECT_EQ(jvmOk.checkVersion("jvmGood.txt", c.required, c.minimum, c.maximum), c.expected)
            << c.content.substr(0, 30) << "|" << c.required << "|" << c.minimum << "|" << c.maximum;
    }
    std::filesystem::remove(dir.path() / "jvmGood.txt");
    EXPECT_FALSE(jvmOk.checkVersion("jvmGood.txt", "", "", ""));
    EXPECT_TRUE(contains(readFile(dir.path() / "jinstall.log"), "Unable to verify version jvmGood.txt"));
}

// The image header tells the kind; "jvmArchitecture" turns down the other kind (and an image of
// unknown kind) wherever a JVM is proven, with a trace.
TEST(JvmCorrectVersion, ImageKindMeetsJvmArchitecture)
{
    const struct {
        const char* control; // the control file's line
        unsigned machine;    // 0: no image at all
        JvmBits bits;
        bool found;
    } cases[] = {
        {"", 0x014c, JvmBits::Bits32, true},          {"jvmArchitecture=any", 0, JvmBits::Unknown, true},
        {"jvmArchitecture=64", 0x8664, JvmBits::Bits64, true}, {"jvmArchitecture=64", 0x014c, JvmBits::Bits32, false},
        {"jvmArchitecture=32", 0x014c, JvmBits::Bits32, true}, {"jvmArchitecture=32", 0x8664, JvmBits::Bits64, false},
        {"jvmArchitecture=32", 0, JvmBits::Unknown, false},    {"jvmArchitecture=32", 0x01c4, JvmBits::Unknown, false},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        dir.write("qbx.control", std::string("jvmMinVersion=1\n") + c.control + "\n");
        dir.write("jinstall.log", "");
        const auto java = dir.path() / "jvm" / "bin" / "java.exe";
        if (c.machine != 0)
            testing_support::makeImage(java, c.machine);
        else
            dir.write("jvm/bin/java.exe", "#!/bin/sh\n");
        EXPECT_EQ(executableBits(java.string()), c.bits) << c.machine;
        JvmOk jvmOk;
        std::string name = "java.exe", path;
        EXPECT_EQ(jvmOk.jvmCorrectVersion("", "", "", (dir.path() / "jvm").string(), name, path), c.found)
            << c.control << " " << c.machine;
        EXPECT_EQ(contains(readFile(dir.path() / "jinstall.log"), " turns down "), !c.found) << c.control;
    }
    // Cut or foreign files are of no kind.
    TempDir dir;
    for (const std::string& bytes : {std::string("MZ"), std::string("MZ") + std::string(0x3A, '\0') + "\xF0\xFF\xFF\x7F",
                                     std::string(0x46, 'x'), std::string()})
        EXPECT_EQ(executableBits(dir.write("cut.exe", bytes).string()), JvmBits::Unknown) << bytes.size();
    EXPECT_EQ(executableBits((dir.path() / "missing.exe").string()), JvmBits::Unknown);
}

TEST(RealJvm, ProvesItsVersionByRunningTheTestClass)
{
    QBX_REQUIRE_REAL_JVM();
    TempDir dir(true);
    dir.write("jinstall.log", "");
    testing_support::installTestJvmClass(dir.path());
    const std::string jvm = (dir.path() / "jvm").string();
    testing_support::makeRealJvm(dir.path() / "jvm" / "bin", {"java.exe"});
    platform::putEnv("CLASSPATH=" + (dir.path() / "elsewhere").string());

    // Any JVM that runs the test class is of version 9 or later: above 1.8, below 99.
    JvmOk jvmOk;
    std::string name = "java.exe", path;
    ASSERT_TRUE(jvmOk.jvmCorrectVersion("", "1.8", "99", jvm, name, path)) << readFile(dir.path() / "errors.log");
    std::string classPath;
    EXPECT_TRUE(!platform::getEnv("CLASSPATH", classPath) || classPath.empty()) << classPath;
    for (const char* line : {"test jvm launched ok: true", "found jvm version: ", "test jvm ok: true"})
        EXPECT_TRUE(contains(readFile(dir.path() / "jinstall.log"), line)) << line;

    EXPECT_FALSE(jvmOk.jvmCorrectVersion("", "99", "", jvm, name, path));
    EXPECT_TRUE(contains(readFile(dir.path() / "errors.log"), "Jvm isn't installed properly."));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "jvmGood.txt"));
}

} // namespace
