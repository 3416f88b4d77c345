#include "discovery/extjvmsearch.h"

#include <gtest/gtest.h>

#include "control/extsearchkey.h"
#include "exec/clib.h"
#include "discovery/jvmtesting.h"
#include "discovery/sysdirs.h"
#include "testing/machinekeys.h"

namespace {

using testing_support::TempDir;

// The roots the search walks, emptied; JAVA_HOME and PATH unset; a trace file in the working directory.
class ExtendedSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keys.ready()) << "could not clear the JVM keys of HKLM for the test";
        hadJavaHome = platform::getEnv("JAVA_HOME", javaHome);
        hadPath = platform::getEnv("PATH", path);
        platform::putEnv("JAVA_HOME=");
        platform::putEnv("PATH=");
        dir.write("jinstall.log", "");
    }
    void TearDown() override
    {
        platform::putEnv("JAVA_HOME=" + (hadJavaHome ? javaHome : ""));
        platform::putEnv("PATH=" + (hadPath ? path : ""));
    }
    void set(const std::string& key, const char* name, const std::string& value)
    {
        EXPECT_TRUE(keys.setMachineValue(key, name, value)) << key;
    }
    /// A JVM directory whose java.exe is an image of that machine type (0: an empty file).
    std::string jvm(const std::string& name, unsigned machine = 0)
    {
        testing_support::makeFakeJvm(dir.path() / name / "bin", {"java.exe"});
        if (machine != 0)
            testing_support::makeImage(dir.path() / name / "bin" / "java.exe", machine);
        return (dir.path() / name).string();
    }

    TempDir dir{true};
    testing_support::MachineKeys keys{dir,
                                      {"SOFTWARE\\JavaSoft", "SOFTWARE\\Eclipse Adoptium", "SOFTWARE\\Microsoft\\JDK",
                                       "SOFTWARE\\Azul Systems", "SOFTWARE\\Semeru", "SOFTWARE\\BellSoft",
                                       "SOFTWARE\\WOW6432Node\\JavaSoft", "SOFTWARE\\WOW6432Node\\Eclipse Adoptium",
                                       "HKCU\\Software\\JavaSoft", "HKCU\\Software\\Eclipse Adoptium"}};
    std::string javaHome, path;
    bool hadJavaHome = false, hadPath = false;
};

// Both views of the machine's keys, the user's keys (the JavaSoft keys of old too), the search
// path and JAVA_HOME: by version, then 64-bit first, the machine before the user, the registry
// before the search path. A user's source in a folder others can change is turned down.
TEST_F(ExtendedSearch, EverySourceInItsOrderOthersFoldersTurnedDown)
{
    const struct {
        const char *key, *value, *home;
        unsigned machine;
    } registered[] = { // in the 64-bit view the JavaSoft keys of old are the other search's
        {"SOFTWARE\\WOW6432Node\\JavaSoft\\Java Runtime Environment\\1.8.0_392", "JavaHome", "jre8", 0x014c},
        {"SOFTWARE\\Eclipse Adoptium\\JRE\\17.0.8.101\\hotspot\\MSI", "Path", "temurin32", 0x014c},
        {"SOFTWARE\\WOW6432Node\\Eclipse Adoptium\\JDK\\17.0.8.101\\hotspot\\MSI", "Path", "wow", 0x014c},
        {"HKCU\\Software\\Eclipse Adoptium\\JDK\\17.0.8.101\\hotspot\\MSI", "Path", "user17", 0x8664},
        {"HKCU\\Software\\JavaSoft\\Java Development Kit\\11", "JavaHome", "user11", 0x8664},
        {"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8", "JavaHome", "javasoft", 0x8664},
        {"SOFTWARE\\JavaSoft\\JDK\\21", "JavaHome", "open/machine", 0x8664},
        {"HKCU\\Software\\JavaSoft\\JDK\\21", "JavaHome", "open/user", 0x8664},
    };
    for (const auto& r : registered)
        set(r.key, r.value, jvm(r.home, r.machine));
    std::string windows = windowsDirectory();
    if (keys.isStandIn()) {
        windows = jvm("windows");
        set(NtCurrentVersionKey, "SystemRoot", windows);
    }
    jvm("path32", 0x014c);
    dir.write("plain/java.exe", "");
    testing_support::makeFakeJvm(dir.path() / "nojava" / "bin", {"readme.txt"});
    std::filesystem::create_directories(dir.path() / "javapath");
    std::error_code noLink; // as Oracle's installers put it on the search path (Wine makes no links)
    std::filesystem::create_symlink(dir.path() / "path32" / "bin" / "java.exe", dir.path() / "javapath" / "java.exe",
                                    noLink);
    platform::putEnv("PATH=" + windows + ";\"" + jvm("pathjvm", 0x8664) + "\\bin\\\";" + (dir.path() / "javapath").string() +
                     ";" + (dir.path() / "plain").string() + ";" + (dir.path() / "nojava" / "bin").string());
    platform::putEnv("JAVA_HOME=" + jvm("javahome", 0x8664));
    // Only the Linux stand-in lets a test open a folder to others (Wine keeps no such entries).
    std::error_code open;
    std::filesystem::permissions(dir.path() / "open", std::filesystem::perms::all, open);
    const bool othersMayChange = keys.isStandIn() && !open;

    std::vector<std::string> expected{"HKLM JavaSoft 64-bit", "HKCU JavaSoft 64-bit turned down",
                                      "HKCU Eclipse Adoptium 64-bit", "HKLM Eclipse Adoptium 32-bit",
                                      "HKLM 32-bit Eclipse Adoptium 32-bit", "HKCU JavaSoft 64-bit",
                                      "HKLM 32-bit JavaSoft 32-bit", "PATH entry 2 64-bit", "JAVA_HOME 64-bit",
                                      "PATH entry 3 32-bit"};
    if (!othersMayChange)
        expected[1] = "HKCU JavaSoft 64-bit";
    if (noLink)
        expected.pop_back();
    ExtendedJvmSearch search;
    std::vector<std::string> sources;
    for (const JvmCandidate& candidate : search.collectCandidates("java.exe"))
        sources.push_back(candidate.source + " " + bitsName(candidate.bits) + (candidate.verdict.empty() ? "" : " turned down"));
    EXPECT_EQ(sources, expected);
    std::string trace = testing_support::readFile(dir.path() / "jinstall.log");
    for (const char* skipped : {"PATH entry 1 (the Windows directory)", "PATH entry 4 (not a bin folder",
                                "PATH entry 5 (no java executable)"})
        EXPECT_NE(trace.find(skipped), std::string::npos) << skipped << "\n" << trace;
    EXPECT_EQ(trace.find("turns down HKCU JavaSoft (a folder others can change, "), othersMayChange ? trace.find("turns down") : std::string::npos) << trace;
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

} // namespace
