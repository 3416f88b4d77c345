#include "jvm/jvmwin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "jvm/findjvm.h"
#include "jvm/jvmtesting.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "testing/javasoftkeys.h"
#include "testing/tempdir.h"

namespace {

using testing_support::readFile;
using testing_support::JavaSoftKeys;
using testing_support::TempDir;
namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A working directory with a trace file, and JVM directories with a fake java.exe: without the
// test class in the working directory any existing executable passes, so the registry alone decides.
class RegistrySearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keys.ready()) << "could not clear HKLM\\SOFTWARE\\JavaSoft for the test";
        dir.write("jinstall.log", "");
    }

    std::string jvm(const std::string& name, const char* executable = "java.exe")
    {
        testing_support::makeFakeJvm(dir.path() / name / "bin", {executable});
        return (dir.path() / name).string();
    }
    std::string executable(const std::string& jvmName, const char* name = "java.exe")
    {
        return (dir.path() / jvmName).string() + "\\bin\\" + name;
    }
    std::string trace() const { return readFile(dir.path() / "jinstall.log"); }

    TempDir dir{true};
    JavaSoftKeys keys{dir};
};

TEST_F(RegistrySearch, TriesVersionsFromTheHighestAndChecksTheRecordedVersion)
{
    keys.add(JreEntry, "1.3", "0", jvm("jre13"));
    keys.add(JreEntry, "1.3.1", "1", jvm("jre131"));
    keys.add(JreEntry, "1.4", "2", jvm("jre14"));

    JvmWin jvmWin;
    std::string name = "java.exe", path;
    EXPECT_TRUE(jvmWin.searchRegistryForJvm(JreEntry, "", "1.3", "1.3", name, path));
    EXPECT_EQ(path, executable("jre131"));

    std::string text = trace();
    std::size_t tried14 = text.find("                 version 1.4\n");
    if (tried14 == std::string::npos)
        tried14 = text.find("                 version 1.4\r");
    std::size_t tried131 = text.find("                 version 1.3.1");
    ASSERT_NE(tried14, std::string::npos) << text;
    ASSERT_NE(tried131, std::string::npos) << text;
    EXPECT_LT(tried14, tried131);
    EXPECT_TRUE(contains(text, " jvm version 1.4.2")) << text;   // the recorded version, rejected
    EXPECT_TRUE(contains(text, " jvm version 1.3.1.1")) << text; // then accepted
    EXPECT_FALSE(contains(text, "                 version 1.3\r")) << text;
    EXPECT_FALSE(contains(text, "                 version 1.3\n")) << text;
}

TEST_F(RegistrySearch, OrdersVersionsAsNumbers)
{
    keys.add(JreEntry, "9", "4", jvm("jre9"));
    keys.add(JreEntry, "17", "15", jvm("jre17"));
    keys.add(JreEntry, "1.8.0_77", "0", jvm("jre8"));

    JvmWin jvmWin;
    std::string name = "java.exe", path;
    EXPECT_TRUE(jvmWin.searchRegistryForJvm(JreEntry, "", "", "", name, path));
    EXPECT_EQ(path, executable("jre17"));
    EXPECT_TRUE(jvmWin.searchRegistryForJvm(JreEntry, "", "", "11", name, path));
    EXPECT_EQ(path, executable("jre9"));
}

TEST_F(RegistrySearch, PluginTypeSearchesOnlyThePluginKey)
{
    keys.add(JreEntry, "1.4", "2", jvm("jre"));
    keys.add(PluginEntry, "1.4", "2", jvm("plugin"));

    FindJvm findJvm;
    std::string name = "java.exe", path;
    EXPECT_TRUE(findJvm.isJvmInstalled("1.4", "", "", "Java Plug-in", name, path));
    EXPECT_EQ(path, executable("plugin"));
    EXPECT_TRUE(findJvm.isJvmInstalled("1.4", "", "", "java plug-in", name, path));
    EXPECT_EQ(path, executable("plugin"));
    EXPECT_TRUE(findJvm.isJvmInstalled("1.4", "", "", "JRE", name, path));
    EXPECT_EQ(path, executable("jre"));
    EXPECT_TRUE(contains(trace(), "JRE registry entry had correct jvm info: true"));
}

TEST_F(RegistrySearch, DevelopmentKitAndPluginFollowWhenTheRuntimeKeyHasNone)
{
    keys.add(JreEntry, "1.3", "1", jvm("jre"));
    keys.add(JdkEntry, "1.4", "2", jvm("jdk"));
    keys.add(PluginEntry, "1.5", "0", jvm("plugin"));

    FindJvm findJvm;
    std::string name = "java.exe", path;
    EXPECT_TRUE(findJvm.isJvmInstalled("", "1.4", "1.4", "JDK", name, path));
    EXPECT_EQ(path, executable("jdk"));
    EXPECT_TRUE(findJvm.isJvmInstalled("", "1.5", "", "JRE", name, path));
    EXPECT_EQ(path, executable("plugin"));
    std::string text = trace();
    EXPECT_TRUE(contains(text, "JRE registry entry had correct jvm info: false")) << text;
    EXPECT_TRUE(contains(text, "JDK registry entry had correct jvm info: true")) << text;
    EXPECT_TRUE(contains(text, "Java Plugin registry entry had correct jvm info: true")) << text;
}

TEST_F(RegistrySearch, VanishedJavaHomeIsPassedOver)
{
    keys.add(JreEntry, "1.5", "0", (dir.path() / "uninstalled").string());
    keys.add(JreEntry, "1.4", "2", jvm("jre14"));

    FindJvm findJvm;
    std::string name = "java.exe", path;
    EXPECT_TRUE(findJvm.isJvmInstalled("", "1.4", "", "JRE", name, path));
    EXPECT_EQ(path, executable("jre14"));
}

TEST_F(RegistrySearch, NameIsUnchangedWhenNothingPasses)
{
    // javaw.exe would be taken for jrew.exe, but every recorded version is out of the limits.
    keys.add(JreEntry, "1.4", "2", jvm("jre", "javaw.exe"));
    keys.add(JdkEntry, "1.5", "0", jvm("jdk", "javaw.exe"));

    FindJvm findJvm;
    std::string name = "jrew.exe", path;
    EXPECT_FALSE(findJvm.isJvmInstalled("1.6", "", "", "JRE", name, path));
    EXPECT_EQ(name, "jrew.exe");
    EXPECT_TRUE(contains(trace(), "unable to find a compatible Jvm"));

    EXPECT_TRUE(findJvm.isJvmInstalled("1.5", "", "", "JRE", name, path));
    EXPECT_EQ(name, "javaw.exe");
    EXPECT_EQ(path, executable("jdk", "javaw.exe"));
}

TEST_F(RegistrySearch, PluginWithoutMicroVersionTakesTheLimitsMicroVersion)
{
    keys.add(PluginEntry, "1.3", "", jvm("plugin"));

    // The minimum 1.3.1 lends its micro version: the entry is taken as 1.3.1.
    JvmWin jvmWin;
    std::string name = "java.exe", path;
    EXPECT_TRUE(jvmWin.searchRegistryForJvm(PluginEntry, "", "1.3.1", "", name, path));
    EXPECT_EQ(path, executable("plugin"));
    EXPECT_TRUE(contains(trace(), "no known minor version for")) << trace();

    // A runtime entry without one keeps its name, 1.3, which is below 1.3.1.
    keys.add(JreEntry, "1.3", "", jvm("jre"));
    EXPECT_FALSE(jvmWin.searchRegistryForJvm(JreEntry, "", "1.3.1", "", name, path));
    EXPECT_TRUE(jvmWin.searchRegistryForJvm(JreEntry, "", "1.3", "", name, path));
    EXPECT_EQ(path, executable("jre"));
}

TEST_F(RegistrySearch, EntryWithoutMicroVersionFallsBackToHome)
{
    keys.add(JreEntry, "1.6", "", "", jvm("jre16"));
    keys.add(JreEntry, "1.5", "", "");

    JvmWin jvmWin;
    std::string name = "java.exe", path;
    EXPECT_TRUE(jvmWin.searchRegistryForJvm(JreEntry, "", "", "", name, path));
    EXPECT_EQ(path, executable("jre16"));
    EXPECT_FALSE(jvmWin.searchRegistryForJvm(JreEntry, "1.5", "", "", name, path));
    EXPECT_TRUE(contains(trace(), "no home directory for jvm")) << trace();
}

TEST_F(RegistrySearch, RealJvmIsProvenByRunningIt)
{
    QBX_REQUIRE_REAL_JVM();
    testing_support::installTestJvmClass(dir.path());
    testing_support::makeRealJvm(dir.path() / "real" / "bin", {"java.exe"});
    const std::string real = (dir.path() / "real").string();
    // Recorded as 1.8.0, but the JVM reports its own version (9 or later) when it runs.
    keys.add(JreEntry, "1.8.0", "0", real);

    FindJvm findJvm;
    std::string name = "java.exe", path;
    EXPECT_TRUE(findJvm.isJvmInstalled("", "1.8", "", "JRE", name, path)) << readFile(dir.path() / "errors.log");
    EXPECT_EQ(path, real + "\\bin\\java.exe");
    EXPECT_FALSE(findJvm.isJvmInstalled("", "", "1.8", "JRE", name, path));
}

TEST(CompareStrings, SortsRegistryNamesAsVersions)
{
    // More than 16 names: the sort leaves its simple insertion pass and relies on a consistent order.
    std::vector<std::string> names{"1.9",  "17",   "1.4.2_05", "1.10", "1.3", "9",    "1.3.1", "1.4",  "1.4.2",
                                   "10a",  "10",   "9z",       "beta", "11",  "21",   "1.8.0", "8",    "1.19",
                                   "17.0.8", "1.6.0_45", "Beta", "21.0.1"};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return compareStrings(a, b) < 0; });
    const std::vector<std::string> expected{"1.3",  "1.3.1", "1.4",  "1.4.2", "1.4.2_05", "1.6.0_45", "1.8.0", "1.9",
                                            "1.10", "1.19",  "8",    "9",     "9z",       "10",       "10a",   "11",
                                            "17",   "17.0.8", "21",  "21.0.1", "Beta",    "beta"};
    EXPECT_EQ(names, expected);
    EXPECT_LT(compareStrings("1.04", "1.4"), 0); // equal as versions, still a strict order
}

} // namespace
