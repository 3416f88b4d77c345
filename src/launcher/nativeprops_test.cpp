#include "launcher/nativeprops.h"

#include <gtest/gtest.h>

namespace {

TEST(NativeProperties, LinesForFoundAndInstalledJvms)
{
    EXPECT_EQ(nativePropertiesText("C:\\Program Files\\Java\\jre", false, "", true),
              "nativeJvmHomeDir=C:/Program Files/Java/jre\nnativeJvmInstalled=false\n"
              "nativeJvmInstalledInTemp=false\nconfigureWinRegistry=true\n");
    // Installed without a given directory: no line about the temporary location.
    EXPECT_EQ(nativePropertiesText("", true, "", false),
              "nativeJvmHomeDir=\nnativeJvmInstalled=true\nconfigureWinRegistry=false\n");
    // Java reads the file as ISO 8859-1: a home in another script goes as escapes.
    EXPECT_EQ(nativePropertiesText("D:\\\xD0\x98\xE5\xAE\x89", false, "", true).substr(0, 33),
              "nativeJvmHomeDir=D:/\\u0418\\u5B89\n");
}

TEST(NativeProperties, CleanUpReadsEscapedLines)
{
    TempJvmRecord record;
    EXPECT_EQ(applyPropertiesLine(normalizePropertiesLine("nativeTempJvmDir=C\\:/Temp/jvm6"), record),
              "nativeTempJvmDir");
    EXPECT_EQ(record.tempJvmDir, "C:\\Temp\\jvm6");
    applyPropertiesLine(normalizePropertiesLine("nativeJvmHomeDir=D\\:/\\u0418\\u5b89"), record);
    EXPECT_EQ(record.jvmHomeDir, "D:\\\xD0\x98\xE5\xAE\x89");
    // A run of backslashes disappears entirely.
    EXPECT_EQ(normalizePropertiesLine("a\\\\\\b/c"), "ab\\c");
    EXPECT_EQ(applyPropertiesLine("nativeJvmInstalled=true", record), "");
    EXPECT_EQ(applyPropertiesLine("nativeJvmHomeDir", record), "nativeJvmHomeDir");
    EXPECT_EQ(record.jvmHomeDir, "");
}

TEST(NativeProperties, ConfigureRegistryValues)
{
    auto configure = [](const char* line) {
        TempJvmRecord record;
        applyPropertiesLine(line, record);
        return record.configureRegistry;
    };
    EXPECT_TRUE(configure("configureWinRegistry=YES"));
    EXPECT_TRUE(configure("configureWinRegistry=true"));
    EXPECT_FALSE(configure("configureWinRegistry="));
    EXPECT_FALSE(configure("configureWinRegistry= true"));
    EXPECT_TRUE(TempJvmRecord{}.configureRegistry);
}

} // namespace
