#include "discovery/jvmwin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "discovery/jvmtesting.h"
#include "testing/machinekeys.h"
#include "testing/tempdir.h"

namespace {

using testing_support::contains;
using testing_support::readFile;
using testing_support::TempDir;

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
    /// The executable the search for a JVM of the type finds, below dir; "" when none passes.
    std::string find(const char* type, const char* required, const char* minimum, const char* maximum = "")
    {
        std::string path;
        bool found = JvmWin().searchWindowsForJvm(required, minimum, maximum, type, name, path);
        return found ? path.substr(dir.path().string().size() + 1) : "";
    }
    std::string trace() const { return readFile(dir.path() / "jinstall.log"); }

    TempDir dir{true};
    testing_support::MachineKeys keys{dir};
    std::string name = "java.exe";
};

TEST_F(RegistrySearch, TakesTheHighestVersionWhoseRecordedVersionPasses)
{
    keys.add(JreEntry, "1.3.1", "1", jvm("jre131"));
    keys.add(JreEntry, "1.4", "2", jvm("jre14"));
    keys.add(JreEntry, "9", "4", jvm("jre9"));
    keys.add(JreEntry, "17", "15", jvm("jre17"));
    keys.add(JreEntry, "1.5", "0", (dir.path() / "uninstalled").string());

    EXPECT_EQ(find("JRE", "", "", ""), "jre17\\bin\\java.exe");
    EXPECT_EQ(find("JRE", "", "", "11"), "jre9\\bin\\java.exe");
    EXPECT_EQ(find("JRE", "", "1.3", "1.3"), "jre131\\bin\\java.exe");
    EXPECT_EQ(find("JRE", "", "1.4", "1.5"), "jre14\\bin\\java.exe"); // 1.5 is gone from its place
    EXPECT_TRUE(contains(trace(), " jvm version 1.4.2")) << trace(); // recorded, then rejected
    // Names equal as versions still sort in a strict order.
    EXPECT_LT(compareStrings("1.04", "1.4"), 0);
}

TEST_F(RegistrySearch, EntriesWithoutMicroVersion)
{
    // A runtime entry keeps its name, which is below 1.3.1; its home may be "Home" instead.
    keys.add(JreEntry, "1.3", "", jvm("jre"));
    keys.add(JreEntry, "1.6", "", "", jvm("jre16"));
    keys.add(JreEntry, "1.5", "", "");
    EXPECT_EQ(find("JRE", "", "1.3.1", "1.5"), "");
    EXPECT_EQ(find("JRE", "", "1.3", "1.3"), "jre\\bin\\java.exe");
    EXPECT_EQ(find("JRE", "", "", ""), "jre16\\bin\\java.exe");
    EXPECT_TRUE(contains(trace(), "no home directory for jvm")) << trace();
    // A plug-in entry borrows the micro version of the minimum: 1.3 is taken as 1.3.1.
    keys.add(PluginEntry, "1.3", "", jvm("plugin"));
    EXPECT_EQ(find("Java Plug-in", "", "1.3.1"), "plugin\\bin\\java.exe");
    EXPECT_TRUE(contains(trace(), "no known minor version for")) << trace();
}

} // namespace
