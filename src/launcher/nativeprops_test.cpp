#include "launcher/nativeprops.h"

#include <gtest/gtest.h>

#include "launcher/safedelete.h"

namespace {

TEST(NativeProperties, LinesForFoundAndInstalledJvms)
{
    EXPECT_EQ(nativePropertiesText("C:\\Program Files\\Java\\jre", false, "", true),
              "nativeJvmHomeDir=C:/Program Files/Java/jre\nnativeJvmInstalled=false\n"
              "nativeJvmInstalledInTemp=false\nconfigureWinRegistry=true\n");
    EXPECT_EQ(nativePropertiesText("C:\\app\\jre", true, "[$AppDir]\\jre", false),
              "nativeJvmHomeDir=C:/app/jre\nnativeJvmInstalled=true\nnativeJvmInstalledInTemp=true\n"
              "configureWinRegistry=false\n");
    EXPECT_EQ(nativePropertiesText("C:\\jre", true, "C:\\jre", true),
              "nativeJvmHomeDir=C:/jre\nnativeJvmInstalled=true\nnativeJvmInstalledInTemp=false\n"
              "configureWinRegistry=true\n");
    // Installed without a given directory: no line about the temporary location.
    EXPECT_EQ(nativePropertiesText("", true, "", true),
              "nativeJvmHomeDir=\nnativeJvmInstalled=true\nconfigureWinRegistry=true\n");
}

TEST(NativeProperties, CleanUpReadsEscapedLines)
{
    TempJvmRecord record;
    EXPECT_EQ(applyPropertiesLine(normalizePropertiesLine("nativeTempJvmDir=C\\:/Temp/jvm6"), record),
              "nativeTempJvmDir");
    EXPECT_EQ(record.tempJvmDir, "C:\\Temp\\jvm6");
    applyPropertiesLine(normalizePropertiesLine("nativeJvmHomeDir=C:/app/jre"), record);
    EXPECT_EQ(record.jvmHomeDir, "C:\\app\\jre");
    applyPropertiesLine(normalizePropertiesLine("nativeJvmInstalledInTemp=TRUE"), record);
    EXPECT_EQ(record.installedInTemp, "TRUE");
    // A run of backslashes disappears entirely.
    EXPECT_EQ(normalizePropertiesLine("a\\\\\\b/c"), "ab\\c");
    EXPECT_EQ(applyPropertiesLine("nativeJvmInstalled=true", record), "");
    EXPECT_EQ(applyPropertiesLine("nativeJvmHomeDir", record), "nativeJvmHomeDir");
    EXPECT_EQ(record.jvmHomeDir, "");
}

TEST(NativeProperties, ConfigureRegistryValues)
{
    struct Case {
        const char* line;
        bool configure;
    } cases[] = {{"configureWinRegistry=yes", true}, {"configureWinRegistry=YES", true},
                 {"configureWinRegistry=true", true}, {"configureWinRegistry=no", false},
                 {"configureWinRegistry=", false},     {"configureWinRegistry= true", false}};
    for (const Case& c : cases) {
        TempJvmRecord record;
        applyPropertiesLine(c.line, record);
        EXPECT_EQ(record.configureRegistry, c.configure) << c.line;
    }
    EXPECT_TRUE(TempJvmRecord{}.configureRegistry);
}

TEST(SafeDelete, RefusesRootsAndTheRunsOwnDirectories)
{
    const std::string cwd = "C:\\Users\\me\\AppData\\Local\\Temp\\qbx1";
    const std::vector<std::string> kept{cwd, "C:\\Users\\me\\Downloads", "C:\\Windows", "C:\\Program Files"};
    struct Case {
        const char* dir;
        bool safe;
    } cases[] = {
        {"C:\\Users\\me\\AppData\\Local\\Temp\\qbx1\\jre", true},
        {"jre", true},
        {"C:\\Temp\\jvm6", true},
        {"C:\\Program Files\\Java\\jre-temp", true},
        {"", false},
        {"C:", false},
        {"C:\\", false},
        {"c:/", false},
        {"\\", false},
        {"/", false},
        {"\\\\server\\share", false},
        {"C:\\Users\\me\\AppData\\Local\\Temp\\QBX1", false},
        {"C:\\Users\\me\\AppData\\Local\\Temp\\qbx1\\", false},
        {"C:\\Users", false},
        {".", false},
        {"jre\\..\\..", false},
        {"C:\\Users\\me\\Downloads", false},
        {"c:\\windows", false},
        {"C:\\Program Files", false},
        {"C:\\Program Files\\..\\Windows\\System32\\..", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSafeToDeleteTree(c.dir, cwd, kept), c.safe) << c.dir;
}

TEST(SafeDelete, LinuxPathsToo)
{
    const std::vector<std::string> kept{"/tmp/work", "/home/me"};
    EXPECT_TRUE(isSafeToDeleteTree("/tmp/work/jre", "/tmp/work", kept));
    EXPECT_FALSE(isSafeToDeleteTree("/tmp", "/tmp/work", kept));
    EXPECT_FALSE(isSafeToDeleteTree("/home", "/tmp/work", kept));
    EXPECT_FALSE(isSafeToDeleteTree("/", "/tmp/work", kept));
}

} // namespace
