#include "jvm/jvmwin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "jvm/findjvm.h"
#include "jvm/jvmtesting.h"
#include "testing/machinekeys.h"
#include "testing/tempdir.h"

namespace {

using testing_support::readFile;
using testing_support::TempDir;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A working directory with a trace file, and JVM directories with a fake executable: without the
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
    /// The executable the search of one key finds, or "" when none passes.
    std::string search(const char* key, const char* required, const char* minimum, const char* maximum)
    {
        std::string name = "java.exe", path;
        return JvmWin().searchRegistryForJvm(key, required, minimum, maximum, name, path) ? path : "";
    }
    std::string find(const char* required, const char* minimum, const char* type, std::string& name)
    {
        std::string path;
        return FindJvm().isJvmInstalled(required, minimum, "", type, name, path) ? path : "";
    }
    std::string trace() const { return readFile(dir.path() / "jinstall.log"); }

    TempDir dir{true};
    testing_support::MachineKeys keys{dir};
};

TEST_F(RegistrySearch, TakesTheHighestVersionWhoseRecordedVersionPasses)
{
    keys.add(JreEntry, "1.3", "0", jvm("jre13"));
    keys.add(JreEntry, "1.3.1", "1", jvm("jre131"));
    keys.add(JreEntry, "1.4", "2", jvm("jre14"));
    keys.add(JreEntry, "9", "4", jvm("jre9"));
    keys.add(JreEntry, "17", "15", jvm("jre17"));
    keys.add(JreEntry, "1.5", "0", (dir.path() / "uninstalled").string());

    EXPECT_EQ(search(JreEntry, "", "", ""), executable("jre17"));
    EXPECT_EQ(search(JreEntry, "", "", "11"), executable("jre9"));
    EXPECT_EQ(search(JreEntry, "", "1.3", "1.3"), executable("jre131"));
    EXPECT_EQ(search(JreEntry, "", "1.4", "1.5"), executable("jre14")); // 1.5 is gone from its place
    EXPECT_TRUE(contains(trace(), " jvm version 1.4.2")) << trace(); // recorded, then rejected
    EXPECT_EQ(search(JreEntry, "1.6", "", ""), "");
}

TEST_F(RegistrySearch, KeysAreSearchedByTypeAndTheNameChangesOnlyOnSuccess)
{
    keys.add(JreEntry, "1.3", "1", jvm("jre"));
    keys.add(JdkEntry, "1.4", "2", jvm("jdk", "javaw.exe"));
    keys.add(PluginEntry, "1.3", "1", jvm("plugin"));
    keys.add(PluginEntry, "1.5", "0", jvm("plugin15"));

    std::string name = "java.exe";
    EXPECT_EQ(find("1.3", "", "java plug-in", name), executable("plugin"));
    EXPECT_EQ(find("1.3", "", "JRE", name), executable("jre"));
    EXPECT_EQ(find("", "1.5", "JRE", name), executable("plugin15")); // neither runtime nor kit has one
    EXPECT_TRUE(contains(trace(), "JRE registry entry had correct jvm info: false"));
    EXPECT_TRUE(contains(trace(), "Java Plugin registry entry had correct jvm info: true"));

    name = "jrew.exe";
    EXPECT_EQ(find("1.6", "", "JRE", name), "");
    EXPECT_EQ(name, "jrew.exe");
    EXPECT_TRUE(contains(trace(), "unable to find a compatible Jvm"));
    EXPECT_EQ(find("1.4", "", "JDK", name), executable("jdk", "javaw.exe"));
    EXPECT_EQ(name, "javaw.exe");
}

TEST_F(RegistrySearch, EntriesWithoutMicroVersion)
{
    // A plug-in entry borrows the micro version of the minimum: 1.3 is taken as 1.3.1.
    keys.add(PluginEntry, "1.3", "", jvm("plugin"));
    EXPECT_EQ(search(PluginEntry, "", "1.3.1", ""), executable("plugin"));
    EXPECT_TRUE(contains(trace(), "no known minor version for")) << trace();
    // A runtime entry keeps its name, which is below 1.3.1; its home may be "Home" instead.
    keys.add(JreEntry, "1.3", "", jvm("jre"));
    keys.add(JreEntry, "1.6", "", "", jvm("jre16"));
    keys.add(JreEntry, "1.5", "", "");
    EXPECT_EQ(search(JreEntry, "", "1.3.1", "1.5"), "");
    EXPECT_EQ(search(JreEntry, "", "1.3", "1.3"), executable("jre"));
    EXPECT_EQ(search(JreEntry, "", "", ""), executable("jre16"));
    EXPECT_TRUE(contains(trace(), "no home directory for jvm")) << trace();
}

TEST(CompareStrings, NamesEqualAsVersionsStillHaveAStrictOrder)
{
    EXPECT_LT(compareStrings("1.04", "1.4"), 0);
    EXPECT_LT(compareStrings("Beta", "beta"), 0);
    EXPECT_EQ(compareStrings("beta", "beta"), 0);
}

} // namespace
