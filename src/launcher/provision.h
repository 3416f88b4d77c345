// How a missing JVM is provided.
#pragma once

#include <string>

// The control file's value is spelled without the c of "Extractor"; packagers write it so.
inline constexpr const char* SelfExtratorJvmInstaller = "selfExtratorJvmInstaller";
inline constexpr const char* ThirdPartyJvmInstaller = "thirdPartyJvmInstaller";

/// The ways of "jvmInstallerType".
enum class ProvisionWay { None, Bundle, VendorInstaller };

/// The way the value names, compared ignoring case; None for anything else (empty too).
ProvisionWay provisionWay(const std::string& jvmInstallerType);

/// The version wanted, for messages: the required version, "min - max", or "min or a later version".
std::string versionDescription(const std::string& required, const std::string& minimum, const std::string& maximum);
