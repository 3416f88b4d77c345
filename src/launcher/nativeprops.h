// "native.properties": written for the Java wizard, read back by the clean-up.
#pragma once

#include <string>

#include "control/configreg.h"

inline constexpr const char* NativeJvmHomeDir = "nativeJvmHomeDir";
inline constexpr const char* NativeJvmInstalled = "nativeJvmInstalled";
inline constexpr const char* NativeJvmInstalledInTemp = "nativeJvmInstalledInTemp";
inline constexpr const char* NativeTempJvmDir = "nativeTempJvmDir";
inline constexpr const char* AppDirVariable = "[$AppDir]";

/// The file's lines (LF line ends; the file is written in text mode); characters outside ASCII
/// as \uXXXX escapes.
std::string nativePropertiesText(const std::string& javaHomeDir, bool installed, const std::string& installDir,
                                 bool configureRegistry);

/// What the clean-up learns from the file about a JVM installed for this run only.
struct TempJvmRecord {
    std::string jvmHomeDir;
    std::string installedInTemp;
    std::string tempJvmDir;
    bool configureRegistry = true;
};

/// A line as the clean-up reads it: \uXXXX escapes become their characters, "/" becomes "\" and
/// every other "\" (an escape) is deleted.
std::string normalizePropertiesLine(const std::string& line);
/// Takes one normalised line into the record; the key it matched, or "" for other lines.
std::string applyPropertiesLine(const std::string& line, TempJvmRecord& record);
