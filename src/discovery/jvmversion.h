// Version texts: their comparison, the family/micro split, and the home of a Java executable.
#pragma once

#include <string>

/// Compares two versions component by component (split at '.', '_', '-', '+'): a component that
/// starts with digits by that number, then by the rest as text ignoring case; it is above an
/// empty component and below one that starts otherwise. A version that runs out first is the
/// lower. A consistent order (fit for sorting). Negative, zero or positive as version is below,
/// equal to or above other.
int compareVersions(const std::string& version, const std::string& other);

/// Compares the version, cut to the limit's number of components, with the limit
/// (so 1.4.2_05 equals the limit 1.4, and 1.40 does not). Sign as for compareVersions.
int compareVersionToLimit(const std::string& version, const std::string& limit);

/// Splits 1.4.2_05 into the family version 1.4 and the micro version 2_05; a version with
/// fewer than two dots is its own family with the micro version "0".
void parseVersion(const std::string& version, std::string& familyVersion, std::string& microVersion);

/// The directory without its last folder when that is "bin" (ignoring case and trailing
/// separators): C:\jdk\bin and C:\jdk\bin\ give C:\jdk; C:\tools\bin\jvm stays as it is.
std::string withoutBinFolder(const std::string& directory);

/// The home directory of a Java executable: C:\jdk\bin\java.exe gives C:\jdk, the directory
/// itself when it is no "bin" folder.
void getJavaHomeDirectory(const std::string& executablePath, std::string& homeDirectory);
