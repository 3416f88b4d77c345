// The search of the JavaSoft registry keys for an installed JVM that meets the limits.
#pragma once

#include <string>
#include <vector>

#include "diag/trace.h"
#include "platform/registry.h"

/// Walks the runtime, development kit and plug-in keys, highest version first.
/// Limits: required (overrides the range), minimum, maximum; empty is no limit.
class JvmWin : public Trace {
public:
    JvmWin();

    void setTraceFilename(const std::string& name);

    /// true when a registered JVM passed; executablePath is then its executable. The plug-in
    /// key alone is searched for the type "Java Plug-in". On false the name is as given.
    bool searchWindowsForJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                             const std::string& jvmType, std::string& executableName, std::string& executablePath);
    /// true when one of the version subkeys of the key (under HKEY_LOCAL_MACHINE) passed.
    bool searchRegistryForJvm(const std::string& keyPath, const std::string& required, const std::string& minimum,
                              const std::string& maximum, std::string& executableName, std::string& executablePath);
    /// The number of subkeys of the open key.
    unsigned getJvmEntryCount(const platform::RegKey& key);
    /// Fills versions with the subkey names of the open key; the number stored.
    unsigned getAvailableVersions(const platform::RegKey& key, std::vector<std::string>& versions);
    /// true when a version of the sorted list passed, tried from the last (highest) down.
    bool findMostRecentJvm(const std::vector<std::string>& versions, const std::string& keyPath,
                           const std::string& required, const std::string& minimum, const std::string& maximum,
                           std::string& executableName, std::string& executablePath);
    /// true when the version subkey's JVM passes; versionName gains ".micro" when known.
    bool lookUpRegistryEntryForJvm(const std::string& keyPath, const std::string& required,
                                   const std::string& minimum, const std::string& maximum, std::string& versionName,
                                   std::string& executableName, std::string& homeDirectory,
                                   std::string& executablePath);

private:
    std::string traceFilename;
};

/// Orders registry version names as versions (1.10 above 1.9, 17 above 9): negative, zero or
/// positive as a sorts before, with or after b; names equal as versions fall back to their bytes.
int compareStrings(const std::string& a, const std::string& b);

// The keys searched, under HKEY_LOCAL_MACHINE.
inline constexpr const char* JreEntry = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
inline constexpr const char* JdkEntry = "SOFTWARE\\JavaSoft\\Java Development Kit";
inline constexpr const char* PluginEntry = "SOFTWARE\\JavaSoft\\Java Plug-in";
