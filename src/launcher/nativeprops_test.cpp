#include "launcher/nativeprops.h"

#include <gtest/gtest.h>

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

} // namespace
