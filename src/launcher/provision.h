// How a missing JVM is provided.
#pragma once

#include <string>

inline constexpr const char* SelfExtratorJvmInstaller = "selfExtratorJvmInstaller";
inline constexpr const char* ThirdPartyJvmInstaller = "thirdPartyJvmInstaller";

/// The version wanted, for messages: the required version, "min - max", or "min or a later version".
std::string versionDescription(const std::string& required, const std::string& minimum, const std::string& maximum);
