#include "discovery/jvmwin.h"

#include <algorithm>

#include "exec/clib.h"
#include "exec/strutil.h"
#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"

namespace {

constexpr const char* PluginType = "Java Plug-in";
constexpr const char* MicroVersionEntry = "MicroVersion";
constexpr const char* JavaHomeEntry = "JavaHome";
constexpr const char* HomeEntry = "Home";

/// true and the value when the key holds a non-empty text under that name; else value is empty.
bool queryText(const platform::RegKey& key, const char* name, std::string& value)
{
    if (platform::regQueryString(key, name, value) && !value.empty())
        return true;
    value.clear();
    return false;
}

} // namespace

int compareStrings(const std::string& a, const std::string& b)
{
    if (int order = compareVersions(a, b))
        return order;
    return a.compare(b);
}

JvmWin::JvmWin() : traceFilename(TraceFilename) {}

void JvmWin::setTraceFilename(const std::string& name)
{
    traceFilename = name.substr(0, MaxPathLength);
}

bool JvmWin::searchWindowsForJvm(const std::string& required, const std::string& minimum,
                                 const std::string& maximum, const std::string& jvmType,
                                 std::string& executableName, std::string& executablePath)
{
    const std::string givenName = executableName;
    bool found = false;
    bool pluginOnly = equalsIgnoringCase(jvmType, PluginType);
    if (!pluginOnly) {
        found = searchRegistryForJvm(JreEntry, required, minimum, maximum, executableName, executablePath);
        traceMessage(traceFilename, "JRE registry entry had correct jvm info", found);
        if (!found) {
            executableName = givenName;
            found = searchRegistryForJvm(JdkEntry, required, minimum, maximum, executableName, executablePath);
            traceMessage(traceFilename, "JDK registry entry had correct jvm info", found);
        }
    }
    if (!found) {
        executableName = givenName;
        found = searchRegistryForJvm(PluginEntry, required, minimum, maximum, executableName, executablePath);
        traceMessage(traceFilename, "Java Plugin registry entry had correct jvm info", found);
        if (!found) {
            executableName = givenName;
            return false;
        }
    }
    traceMessage(traceFilename, "found jvm", executablePath);
    return true;
}

bool JvmWin::searchRegistryForJvm(const std::string& keyPath, const std::string& required,
                                  const std::string& minimum, const std::string& maximum,
                                  std::string& executableName, std::string& executablePath)
{
    platform::RegKey key;
    if (platform::regOpenKey(platform::RegRoot::LocalMachine, keyPath, platform::RegAccess::Read, key)) {
        bool found = false;
        if (getJvmEntryCount(key) > 0) {
            std::vector<std::string> versions;
            if (getAvailableVersions(key, versions) > 0) {
                // Highest version last, compared as versions: 17 comes after 9, 1.10 after 1.9.
                std::sort(versions.begin(), versions.end(),
                          [](const std::string& a, const std::string& b) { return compareStrings(a, b) < 0; });
                traceMessage(traceFilename, "sorted available versions");
                found = findMostRecentJvm(versions, keyPath, required, minimum, maximum, executableName,
                                          executablePath);
            }
        }
        platform::regCloseKey(key);
        if (found)
            return true;
    }
    traceMessage(traceFilename, "unable to find a compatible Jvm");
    return false;
}

unsigned JvmWin::getJvmEntryCount(const platform::RegKey& key)
{
    traceMessage(traceFilename, "counting registry elements");
    unsigned count = 0;
    std::string name;
    while (platform::regEnumSubkey(key, count, name))
        ++count;
    return count;
}

unsigned JvmWin::getAvailableVersions(const platform::RegKey& key, std::vector<std::string>& versions)
{
    traceMessage(traceFilename, "getting list of available versions");
    versions.clear();
    std::string name;
    for (unsigned index = 0; platform::regEnumSubkey(key, index, name); ++index)
        versions.push_back(name.substr(0, MaxPathLength));
    auto stored = static_cast<unsigned>(versions.size());
    traceMessage(traceFilename, "available versions: " + std::to_string(stored));
    return stored;
}

bool JvmWin::findMostRecentJvm(const std::vector<std::string>& versions, const std::string& keyPath,
                               const std::string& required, const std::string& minimum,
                               const std::string& maximum, std::string& executableName,
                               std::string& executablePath)
{
    traceMessage(traceFilename, "searching registry entry", keyPath);
    bool found = false;
    for (auto it = versions.rbegin(); it != versions.rend() && !found; ++it) {
        std::string versionName = it->substr(0, MaxPathLength);
        traceMessage(traceFilename, "                 version", versionName);
        // The home directory stays local: the caller only needs the executable path.
        std::string homeDirectory;
        found = lookUpRegistryEntryForJvm(keyPath, required, minimum, maximum, versionName, executableName,
                                          homeDirectory, executablePath);
    }
    return found;
}

bool JvmWin::lookUpRegistryEntryForJvm(const std::string& keyPath, const std::string& required,
                                       const std::string& minimum, const std::string& maximum,
                                       std::string& versionName, std::string& executableName,
                                       std::string& homeDirectory, std::string& executablePath)
{
    homeDirectory.clear();
    const std::string subkeyPath = (keyPath + "\\" + versionName).substr(0, MaxPathLength);
    platform::RegKey subkey;
    if (!platform::regOpenKey(platform::RegRoot::LocalMachine, subkeyPath, platform::RegAccess::QueryValue,
                              subkey)) {
        traceMessage(traceFilename, "no such registry entry", subkeyPath);
        return false;
    }

    std::string microVersion;
    if (queryText(subkey, MicroVersionEntry, microVersion)) {
        versionName += "." + microVersion;
        queryText(subkey, JavaHomeEntry, homeDirectory);
        traceMessage(traceFilename, "testing jvm in:", homeDirectory);
    } else {
        if (equalsIgnoringCase(keyPath, PluginEntry)) {
            // The plug-in records no micro version: assume the one the limits ask for.
            std::string familyVersion;
            parseVersion(required.empty() ? minimum : required, familyVersion, microVersion);
            versionName += "." + microVersion;
            traceMessage(traceFilename, "no known minor version for", keyPath);
        }
        // Such entries may still name their directory; without one the empty home is tried,
        // which looks in the root of the current drive.
        if (!queryText(subkey, JavaHomeEntry, homeDirectory) && !queryText(subkey, HomeEntry, homeDirectory))
            traceMessage(traceFilename, "no home directory for jvm");
        else
            traceMessage(traceFilename, "testing jvm in:", homeDirectory);
    }
    platform::regCloseKey(subkey);

    JvmOk jvmOk;
    jvmOk.setTraceFilename(traceFilename);
    bool found = jvmOk.jvmCorrectVersion(required, minimum, maximum, versionName, homeDirectory, executableName,
                                         executablePath);
    traceMessage(traceFilename, "found jvm", found);
    return found;
}
