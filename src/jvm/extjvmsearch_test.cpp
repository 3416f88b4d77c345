#include "jvm/extjvmsearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exec/clib.h"
#include "jvm/jvmtesting.h"

namespace {

using testing_support::TempDir;

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

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

    std::string jvm(const std::string& name)
    {
        testing_support::makeFakeJvm(dir.path() / name / "bin", {"java.exe"});
        return (dir.path() / name).string();
    }
    std::vector<JvmCandidate> candidates()
    {
        ExtendedJvmSearch search;
        return search.collectCandidates("java.exe");
    }

    TempDir dir{true};
    testing_support::MachineKeys keys{dir,
                                      {"SOFTWARE\\JavaSoft", "SOFTWARE\\Eclipse Adoptium", "SOFTWARE\\Microsoft\\JDK",
                                       "SOFTWARE\\Azul Systems", "SOFTWARE\\Semeru", "SOFTWARE\\BellSoft"}};
    std::string javaHome;
    bool hadJavaHome = false;
};

TEST_F(ExtendedSearch, EachLayoutIsFoundHighestVersionFirstThenJavaHome)
{
    struct Layout {
        const char* key;
        const char* value;
    };
    // In the order expected: by the version the key names suggest.
    const std::vector<Layout> layouts = {
        {"SOFTWARE\\Microsoft\\JDK\\21.0.1.12\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\Eclipse Adoptium\\JRE\\17.0.8.101\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome"},
        {"SOFTWARE\\Semeru\\JDK\\16.0.2\\openj9\\MSI", "Path"},
        {"SOFTWARE\\Azul Systems\\Zulu\\zulu-11", "InstallationPath"},
        {"SOFTWARE\\BellSoft\\Liberica\\JDK 8", "InstallationPath"},
        {"SOFTWARE\\JavaSoft\\JRE\\1.19", "JavaHome"},
    };
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        expected.push_back(jvm("jvm" + std::to_string(i)));
        // Installers of the Adoptium family end the path with a separator.
        keys.set(layouts[i].key, layouts[i].value, expected.back() + "\\");
    }
    expected.push_back(jvm("javahome"));
    platform::putEnv("JAVA_HOME=" + expected.back());

    std::vector<std::string> homes, sources;
    for (const JvmCandidate& candidate : candidates()) {
        homes.push_back(candidate.home);
        sources.push_back(candidate.source);
    }
    EXPECT_EQ(homes, expected);
    ASSERT_EQ(sources.size(), expected.size());
    EXPECT_EQ(sources[1], "HKLM\\SOFTWARE\\Eclipse Adoptium\\JRE\\17.0.8.101\\hotspot\\MSI Path");
    EXPECT_EQ(sources.back(), "JAVA_HOME");
}

TEST_F(ExtendedSearch, GarbageIsSkippedAndADirectoryIsTestedOnce)
{
    const std::string home = jvm("jdk");
    dir.write("file.txt", "x");
    testing_support::makeFakeJvm(dir.path() / "nojava" / "bin", {"readme.txt"});
    const std::vector<std::string> garbage = {
        "", "jdk", "C:jdk", home + std::string(MaxPathLength, 'x'), (dir.path() / "file.txt").string(),
        (dir.path() / "nojava").string(), (dir.path() / "gone").string(), home + "\"", home + "\t",
    };
    for (std::size_t i = 0; i < garbage.size(); ++i)
        keys.set("SOFTWARE\\JavaSoft\\JRE\\" + std::to_string(i), "JavaHome", garbage[i]);
    // One directory, written three ways in three sources.
    keys.set("SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome", home);
    keys.set("SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.8\\hotspot\\MSI", "Path", home + "\\");
    platform::putEnv("JAVA_HOME=" + home + "\\.");

    std::vector<JvmCandidate> found = candidates();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].home, home);
    EXPECT_EQ(found[0].version, "17.0.8");
    std::string trace = testing_support::readFile(dir.path() / "jinstall.log");
    EXPECT_EQ(count(trace, "extended JVM search skips"), garbage.size()) << trace;
    EXPECT_EQ(count(trace, "extended JVM search already has"), 2u) << trace;
}

TEST_F(ExtendedSearch, CandidatesAreProvenUntilOnePasses)
{
    QBX_REQUIRE_REAL_JVM();
    testing_support::installTestJvmClass(dir.path());
    testing_support::makeRealJvm(dir.path() / "real" / "bin", {"java.exe"});
    const std::string real = (dir.path() / "real").string();
    keys.set("SOFTWARE\\JavaSoft\\JDK\\99", "JavaHome", jvm("broken")); // first in order, but cannot run
    keys.set("SOFTWARE\\Azul Systems\\Zulu\\zulu-8", "InstallationPath", real); // only the JVM's own version counts

    ExtendedJvmSearch search;
    std::string name = "java.exe", path;
    EXPECT_FALSE(search.isJvmInstalled(false, "", "11", "", "JRE", name, path));
    EXPECT_FALSE(search.isJvmInstalled(true, "", "11", "", "Java Plug-in", name, path));
    EXPECT_TRUE(search.isJvmInstalled(true, "", "11", "", "JDK", name, path));
    EXPECT_EQ(path, real + "\\bin\\java.exe");
    EXPECT_FALSE(search.isJvmInstalled(true, "", "", "1.8", "JRE", name, path));
}

} // namespace
