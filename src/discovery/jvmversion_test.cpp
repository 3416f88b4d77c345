#include "discovery/jvmversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareVersions, ComparesComponentsAsNumbersOrText)
{
    const struct { const char *version, *other; int expected; } cases[] = {
        {"1.10", "1.9", 1},           // numbers, not text
        {"1.8.0_101", "1.8.0_77", 1}, // '_' separates like '.'
        {"1.4", "1.4.2", -1},         // running out first is lower
        {"1.04", "1.4", 0},           // leading zeros do not count
        {"21+35", "21", 1},           // '+' and '-' separate too
        {"11-ea", "11-EA", 0},        // text ignores case
        {"", "1", -1},                //
        {"123456789012345678901", "99999999999999999999", 1}, // longer than any integer type
        {"10a", "9", 1},              // the leading number first
        {"10a", "10", 1},             // then the rest
        {"1.beta", "1.9", 1},         // text after numbers
        {"1..2", "1.0.2", -1},        // an empty component is the lowest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(compareVersions(c.version, c.other)), c.expected) << c.version << " vs " << c.other;
        EXPECT_EQ(sign(compareVersions(c.other, c.version)), -c.expected) << c.other << " vs " << c.version;
    }
}

TEST(GetJavaHomeDirectory, DropsTheFileNameAndTheBinFolder)
{
    const struct { const char *path, *home; } cases[] = {
        {"C:\\jdk\\bin\\java.exe", "C:\\jdk"},
        {"c:\\jdk\\BIN\\java.exe", "c:\\jdk"},                        // Windows names ignore case
        {"C:\\WINDOWS\\system32\\java.exe", "C:\\WINDOWS\\system32"}, // no bin: the directory itself
        {"C:\\Users\\Robin\\java.exe", "C:\\Users\\Robin"},           // "bin" inside a name is no bin folder
        {"C:\\tools\\bin\\jvm\\java.exe", "C:\\tools\\bin\\jvm"},      // only a last bin folder counts
        {"C:\\jdk\\bin\\\\java.exe", "C:\\jdk"},                      // trailing separators ignored
        {"bin\\java.exe", ""},
        {"java.exe", "java.exe"}, // no backslash: left whole
    };
    for (const auto& c : cases) {
        std::string home = "stale";
        getJavaHomeDirectory(c.path, home);
        EXPECT_EQ(home, c.home) << c.path;
    }
}

} // namespace
