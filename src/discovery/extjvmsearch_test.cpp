#include "discovery/extjvmsearch.h"

#include <gtest/gtest.h>

#include "control/extsearchkey.h"
#include "exec/clib.h"
#include "discovery/jvmtesting.h"
#include "testing/machinekeys.h"

namespace {

using testing_support::TempDir;

// The roots the search walks, emptied; JAVA_HOME unset; a trace file in the working directory.
class ExtendedSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keys.ready()) << "could not clear the JVM keys of HKLM for the test";
        hadJavaHome = platform::getEnv("JAVA_HOME", javaHome);
        platform::putEnv("JAVA_HOME=");
        dir.write("jinstall.log", "");
    }
    void TearDown() override { platform::putEnv("JAVA_HOME=" + (hadJavaHome ? javaHome : "")); }
    void set(const std::string& key, const char* name, const std::string& value)
    {
        EXPECT_TRUE(keys.setMachineValue(key, name, value)) << key;
    }
    std::string jvm(const std::string& name)
    {
        testing_support::makeFakeJvm(dir.path() / name / "bin", {"java.exe"});
        return (dir.path() / name).string();
    }

    TempDir dir{true};
    testing_support::MachineKeys keys{dir,
                                      {"SOFTWARE\\JavaSoft", "SOFTWARE\\Eclipse Adoptium", "SOFTWARE\\Microsoft\\JDK",
                                       "SOFTWARE\\Azul Systems", "SOFTWARE\\Semeru", "SOFTWARE\\BellSoft"}};
    std::string javaHome;
    bool hadJavaHome = false;
};

TEST_F(ExtendedSearch, EachLayoutOnceByVersionThenJavaHomeWithoutGarbage)
{
    // In the order expected, by the versions the key names suggest.
    const char* layouts[][2] = {{"Microsoft\\JDK\\21.0.1.12\\hotspot\\MSI", "Path"},
                                {"Eclipse Adoptium\\JRE\\17.0.8.101\\hotspot\\MSI", "Path"},
                                {"JavaSoft\\JDK\\17", "JavaHome"},
                                {"Semeru\\JDK\\16.0.2\\openj9\\MSI", "Path"},
                                {"Azul Systems\\Zulu\\zulu-11", "InstallationPath"},
                                {"BellSoft\\Liberica\\JDK 8", "InstallationPath"},
                                {"JavaSoft\\JRE\\1.7", "JavaHome"}}; // below Java 8 ("JDK 8")
    std::vector<std::string> expected;
    for (const auto& [key, value] : layouts) {
        expected.push_back(jvm("jvm" + std::to_string(expected.size())));
        set(std::string("SOFTWARE\\") + key, value, expected.back() + "\\"); // as Adoptium writes it
    }
    set("SOFTWARE\\JavaSoft\\JDK\\9", "JavaHome", expected[0] + "\\.\\"); // seen before
    expected.push_back(jvm("javahome"));
    platform::putEnv("JAVA_HOME=" + expected.back());
    testing_support::makeFakeJvm(dir.path() / "nojava" / "bin", {"readme.txt"});
    const std::string garbage[] = {"", "jdk", "C:jdk", expected[0] + std::string(MaxPathLength, 'x'),
                                   (dir.path() / "nojava" / "bin" / "readme.txt").string(),
                                   (dir.path() / "nojava").string(), (dir.path() / "gone").string(),
                                   expected[0] + "\"", expected[0] + "\t"};
    for (std::size_t i = 0; i < std::size(garbage); ++i)
        set("SOFTWARE\\Semeru\\" + std::to_string(i), "Path", garbage[i]);

    ExtendedJvmSearch search;
    std::vector<JvmCandidate> found = search.collectCandidates("java.exe");
    std::vector<std::string> homes;
    for (const JvmCandidate& candidate : found)
        homes.push_back(candidate.home);
    ASSERT_EQ(homes, expected);
    EXPECT_EQ(found[1].source, "HKLM\\SOFTWARE\\Eclipse Adoptium\\JRE\\17.0.8.101\\hotspot\\MSI Path");
    std::string trace = testing_support::readFile(dir.path() / "jinstall.log");
    for (const char* reason : {"(not a path)", "(not a full path)", "(path too long)", "(not a directory)",
                               "(no such directory)", "(no java executable)", "already has"})
        EXPECT_NE(trace.find(reason), std::string::npos) << reason << "\n" << trace;
}

// Without the test program every executable passes the run: the key's version must meet the
// limits, and a JVM without one (JAVA_HOME) is taken only when nothing needs proving.
TEST_F(ExtendedSearch, KeyVersionsMeetTheLimitsWithoutTheTestProgram)
{
    set("SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI", "Path", jvm("jdk21"));
    set("SOFTWARE\\Eclipse Adoptium\\JDK\\8.0.392.8\\hotspot\\MSI", "Path", jvm("temurin8")); // Java 1.8.0
    set("SOFTWARE\\Azul Systems\\Zulu\\zulu-17", "InstallationPath", jvm("zulu17"));
    platform::putEnv("JAVA_HOME=" + jvm("javahome"));
    const struct { const char *required, *minimum, *maximum, *found; } cases[] = {
        {"1.8", "", "", "temurin8"}, {"", "11", "17", "zulu17"}, {"", "", "", "jdk21"}, {"", "22", "", ""},
    };
    for (const auto& c : cases) {
        std::string name = "java.exe", path;
        ExtendedJvmSearch search;
        bool found = search.isJvmInstalled(true, c.required, c.minimum, c.maximum, "JRE", name, path);
        EXPECT_EQ(found ? path : "", *c.found ? (dir.path() / c.found).string() + "\\bin\\java.exe" : "")
            << c.required << " " << c.minimum << " " << c.maximum;
    }
}

TEST_F(ExtendedSearch, CandidatesAreProvenUntilOnePassesUnlessSwitchedOff)
{
    QBX_REQUIRE_REAL_JVM();
    testing_support::installTestJvmClass(dir.path());
    testing_support::makeRealJvm(dir.path() / "real" / "bin", {"java.exe"});
    const std::string real = (dir.path() / "real").string();
    set("SOFTWARE\\JavaSoft\\JDK\\99", "JavaHome", jvm("broken")); // first in order, but cannot run
    set("SOFTWARE\\Azul Systems\\Zulu\\zulu-11", "InstallationPath", real); // the JVM's own version counts too

    std::string name = "java.exe", path;
    dir.write("qbx.control", "extendedJvmSearch=off\nextendedJvmSearch=No\n"); // the last line counts
    EXPECT_FALSE(findExtendedJvm("", "11", "", "JRE", name, path));
    dir.write("qbx.control", "extendedJvmSearch=no\nextendedJvmSearch=yes\n# extendedJvmSearch=false\n");
    EXPECT_FALSE(findExtendedJvm("", "11", "", "Java Plug-in", name, path));
    EXPECT_TRUE(findExtendedJvm("", "11", "", "JDK", name, path));
    EXPECT_EQ(path, real + "\\bin\\java.exe");
    EXPECT_FALSE(findExtendedJvm("", "", "11", "JRE", name, path));
}

} // namespace
