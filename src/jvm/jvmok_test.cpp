#include "jvm/jvmok.h"

#include <gtest/gtest.h>

#include <string>

#include "jvm/jvmtesting.h"
#include "platform/process.h"
#include "testing/tempdir.h"

namespace {

using testing_support::readFile;
using testing_support::TempDir;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(VerifyVersion, ComparesVersionsCutToEachLimit)
{
    const struct {
        const char *required, *minimum, *maximum, *version;
        bool expected;
    } cases[] = {
        // required overrides the range, and matches as a prefix of whole components
        {"1.4", "", "", "1.4.2_05", true}, {"1.4", "", "", "1.40", false}, {"1.4.2", "", "", "1.4", false},
        {"1.4", "1.5", "", "1.4", true},
        // a range, either limit alone, none; an empty version has fewer components than any limit
        {"", "1.3", "1.4", "1.4.2", true}, {"", "1.3", "1.4", "1.5.0", false}, {"", "1.3", "1.4", "1.3", true},
        {"", "11", "", "9.0.4", false},     {"", "1.8.0_77", "", "1.8.0_5", false}, {"", "", "1.8", "9.0.4", false},
        {"", "", "11", "1.8.0_101", true},  {"", "", "", "", true},                 {"", "1.3", "", "", false},
        {"1.4", "", "", "", false},
    };
    JvmOk jvmOk;
    for (const auto& c : cases)
        EXPECT_EQ(jvmOk.verifyVersion(c.required, c.minimum, c.maximum, c.version), c.expected)
            << c.required << "|" << c.minimum << "|" << c.maximum << "|" << c.version;
}

TEST(TestLine, KeepsTheTextFromTheFirstToTheLastDigit)
{
    const struct {
        const char *line, *version, *minimum;
        bool expected;
    } cases[] = {
        {"java version \"1.4.2_05\"\n", "1.4.2_05", "1.4", true},
        {"openjdk version \"9.0.4\" 2018-01-16", "9.0.4\" 2018-01-16", "11", false},
        {"no digits here\n", "", "", true},
        {"no digits here\n", "", "1.3", false},
    };
    JvmOk jvmOk;
    for (const auto& c : cases) {
        std::string line = c.line;
        EXPECT_EQ(jvmOk.testLine(line, "", c.minimum, ""), c.expected) << c.line;
        EXPECT_EQ(line, c.version) << c.line;
    }
}

TEST(CheckVersion, ReadsOnlyTheFirstLineUpToItsLimit)
{
    TempDir dir(true);
    JvmOk jvmOk;
    dir.write("first.txt", "java version \"1.3.1\"\njava version \"1.5.0\"\n");
    EXPECT_FALSE(jvmOk.checkVersion("first.txt", "", "1.4", ""));
    EXPECT_TRUE(jvmOk.checkVersion("first.txt", "", "1.3", "1.3"));

    // 998 characters are read: the version must start early enough to be read whole.
    dir.write("fits.txt", std::string(993, 'x') + "1.5.0\n");
    EXPECT_TRUE(jvmOk.checkVersion("fits.txt", "1.5.0", "", ""));
    dir.write("cut.txt", std::string(995, 'x') + "1.5.0\n");
    EXPECT_FALSE(jvmOk.checkVersion("cut.txt", "1.5.0", "", ""));
    EXPECT_TRUE(jvmOk.checkVersion("cut.txt", "1.5", "", ""));

    dir.write("jinstall.log", "");
    EXPECT_FALSE(jvmOk.checkVersion("jvmGood.txt", "", "", ""));
    EXPECT_TRUE(contains(readFile(dir.path() / "jinstall.log"), "Unable to verify version jvmGood.txt"));
}

TEST(JvmCorrectVersion, WithoutTheTestClassAnyExistingExecutablePasses)
{
    TempDir dir(true);
    JvmOk jvmOk;
    std::string name = "java.exe", path;
    std::filesystem::create_directories(dir.path() / "jvm" / "bin");
    EXPECT_FALSE(jvmOk.jvmCorrectVersion("", "", "", (dir.path() / "jvm").string(), name, path));
    EXPECT_EQ(path, (dir.path() / "jvm").string() + "\\bin\\java.exe"); // the last path tried
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "errors.log"));

    testing_support::makeFakeJvm(dir.path() / "jvm" / "bin", {"java.exe"});
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("99", "", "", (dir.path() / "jvm").string(), name, path));
    EXPECT_EQ(path, (dir.path() / "jvm").string() + "\\bin\\java.exe");
    EXPECT_EQ(name, "java.exe");

    // The directory itself is tried before its bin folder.
    testing_support::makeFakeJvm(dir.path() / "jvm", {"java.exe"});
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("", "", "", (dir.path() / "jvm").string(), name, path));
    EXPECT_EQ(path, (dir.path() / "jvm").string() + "\\java.exe");
}

TEST(JvmCorrectVersion, OldRuntimeNamesAndRecordedVersions)
{
    TempDir dir(true);
    const std::string jvm = (dir.path() / "jvm").string();
    testing_support::makeFakeJvm(dir.path() / "jvm" / "bin", {"java.exe"});
    JvmOk jvmOk;
    std::string name = "jre.exe", path;
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("", "", "", jvm, name, path));
    EXPECT_EQ(name, "java.exe");
    // While tracing, the windowless javaw.exe is looked for instead; only old runtimes' names change.
    dir.write("jinstall.log", "");
    for (const char* kept : {"jrew.exe", "myjava.exe"}) {
        name = kept;
        EXPECT_FALSE(jvmOk.jvmCorrectVersion("", "", "", jvm, name, path));
        EXPECT_EQ(name, kept);
    }
    // A recorded version must meet the limits too; the name is restored when it does not.
    testing_support::makeFakeJvm(dir.path() / "jvm" / "bin", {"javaw.exe"});
    name = "jrew.exe";
    EXPECT_FALSE(jvmOk.jvmCorrectVersion("", "1.3", "1.3", "1.4.2", jvm, name, path));
    EXPECT_EQ(name, "jrew.exe");
    EXPECT_TRUE(contains(readFile(dir.path() / "jinstall.log"), "jvm doesn't meet criteria"));
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("", "1.3", "1.3", "1.3.1.1", jvm, name, path));
    EXPECT_EQ(name, "javaw.exe");
}

TEST(TestVersion, ProgramThatCannotStartIsAnError)
{
    TempDir dir(true);
    dir.write("TestJvm.class", "only its existence matters here");
    testing_support::makeFakeJvm(dir.path() / "jvm" / "bin", {"java.exe"}); // empty: not a program
    JvmOk jvmOk;
    std::string name = "java.exe", path;
    EXPECT_FALSE(jvmOk.jvmCorrectVersion("", "", "", (dir.path() / "jvm").string(), name, path));
    EXPECT_TRUE(contains(readFile(dir.path() / "errors.log"), "Error running JVM: "));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "jvmGood.txt"));
}

// What a real JVM running the test class reports, read from the trace of a run without limits.
std::string reportedVersion(const TempDir& dir)
{
    std::string trace = readFile(dir.path() / "jinstall.log");
    const std::string label = " found jvm version: ";
    std::size_t at = trace.rfind(label);
    if (at == std::string::npos)
        return "";
    std::size_t start = at + label.size();
    return trace.substr(start, trace.find_first_of("\r\n", start) - start);
}

TEST(RealJvm, ReportsItsVersionAndIsJudgedByIt)
{
    QBX_REQUIRE_REAL_JVM();
    TempDir dir(true);
    dir.write("jinstall.log", "");
    testing_support::installTestJvmClass(dir.path());
    const std::string jvm = (dir.path() / "jvm").string();
    testing_support::makeRealJvm(dir.path() / "jvm" / "bin", {"java.exe", "javaw.exe"});
    platform::putEnv("CLASSPATH=" + (dir.path() / "elsewhere").string());

    JvmOk jvmOk;
    std::string name = "java.exe", path;
    ASSERT_TRUE(jvmOk.jvmCorrectVersion("", "", "", jvm, name, path)) << readFile(dir.path() / "errors.log");
    const std::string version = reportedVersion(dir);
    ASSERT_FALSE(version.empty());
    const int feature = std::stoi(version); // 17.0.15 -> 17
    ASSERT_GE(feature, 9) << "this test expects a JVM with the version scheme of Java 9 and later";

    EXPECT_FALSE(std::filesystem::exists(dir.path() / "jvmGood.txt"));
    std::string classPath;
    EXPECT_TRUE(!platform::getEnv("CLASSPATH", classPath) || classPath.empty()) << classPath;
    std::string trace = readFile(dir.path() / "jinstall.log");
    EXPECT_TRUE(contains(trace, "test jvm launched ok: true")) << trace;
    EXPECT_TRUE(contains(trace, "test jvm ok: true")) << trace;

    const std::string same = std::to_string(feature), above = std::to_string(feature + 1);
    const std::string below = std::to_string(feature - 1);
    EXPECT_TRUE(jvmOk.jvmCorrectVersion(same, "", "", jvm, name, path));
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("", "1.8", "", jvm, name, path)); // 1.8 is below 9 as a version
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("", below, same, jvm, name, path));
    EXPECT_FALSE(jvmOk.jvmCorrectVersion("", above, "", jvm, name, path));
    EXPECT_FALSE(jvmOk.jvmCorrectVersion("", "", below, jvm, name, path));
    EXPECT_FALSE(jvmOk.jvmCorrectVersion("1.8", "", "", jvm, name, path));
    EXPECT_TRUE(contains(readFile(dir.path() / "errors.log"), "Jvm isn't installed properly."));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "jvmGood.txt"));

    // The old runtime's name finds the windowless launcher while tracing.
    name = "jrew.exe";
    EXPECT_TRUE(jvmOk.jvmCorrectVersion("", "1.8", "", jvm, name, path)) << readFile(dir.path() / "errors.log");
    EXPECT_EQ(name, "javaw.exe");
    EXPECT_EQ(path, jvm + "\\bin\\javaw.exe");
}

} // namespace
