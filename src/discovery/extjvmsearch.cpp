#include "discovery/extjvmsearch.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <set>

#include "control/extsearchkey.h"
#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace {

constexpr const char* PluginType = "Java Plug-in";
constexpr const char* JavaHomeVariable = "JAVA_HOME";
constexpr const char* BinDir = "\\bin\\";
constexpr const char* JavaExecutable = "java.exe";
constexpr const char* JavawExecutable = "javaw.exe";
// Installers nest the value at most this deep: Adoptium's JDK\<version>\hotspot\MSI.
constexpr unsigned MaxKeyDepth = 4;
// Texts over the path limit are read one character longer, so that they show as too long.
constexpr std::size_t ValueReadSize = MaxPathLength + 2;
// Trace lines quote at most this much of a skipped value.
constexpr std::size_t TracedValueLength = 300;

struct RegistrySource {
    const char* root;
    const char* values[2];
};

// Tried in this order, each subtree walked; a key's values are taken when present.
constexpr RegistrySource RegistrySources[] = {
    {"SOFTWARE\\JavaSoft\\JDK", {"JavaHome", nullptr}},
    {"SOFTWARE\\JavaSoft\\JRE", {"JavaHome", nullptr}},
    {"SOFTWARE\\Eclipse Adoptium", {"Path", nullptr}},
    {"SOFTWARE\\Microsoft\\JDK", {"Path", nullptr}},
    {"SOFTWARE\\Azul Systems\\Zulu", {"InstallationPath", nullptr}},
    {"SOFTWARE\\Semeru", {"Path", "InstallationPath"}},
    {"SOFTWARE\\BellSoft\\Liberica", {"Path", "InstallationPath"}},
};

/// The version a key name suggests: the name from its first digit on ("zulu-17" gives "17").
/// Vendors name Java 2 to 8 by their second number ("8.0.392.8"): read as the limits write
/// them, 1.8.0.392.8.
std::string versionOfKeyName(const std::string& name)
{
    auto digit = name.find_first_of("0123456789");
    if (digit == std::string::npos)
        return std::string();
    std::string version = name.substr(digit);
    auto end = version.find_first_not_of("0123456789");
    const std::string first = version.substr(0, end);
    if (first.size() == 1 && first[0] >= '2' && first[0] <= '8')
        version = "1." + version;
    return version;
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

/// A drive with its root ("C:\") or a leading separator (a share, or the running drive's root).
bool isRooted(const std::string& path)
{
    if (!path.empty() && isSeparator(path[0]))
        return true;
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           isSeparator(path[2]);
}

/// Control characters and the characters no Windows path may hold (the drive's colon aside).
bool hasForbiddenCharacter(const std::string& path)
{
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || std::strchr("\"*?<>|", c) != nullptr || (c == ':' && i != 1))
            return true;
    }
    return false;
}

} // namespace

ExtendedJvmSearch::ExtendedJvmSearch() : traceFilename(TraceFilename) {}

void ExtendedJvmSearch::setTraceFilename(const std::string& name)
{
    traceFilename = name.substr(0, MaxPathLength);
}

bool ExtendedJvmSearch::isJvmInstalled(bool enabled, const std::string& required, const std::string& minimum,
                                       const std::string& maximum, const std::string& jvmType,
                                       std::string& executableName, std::string& executablePath)
{
    traceMessage(traceFilename, "extended JVM search", enabled);
    if (!enabled)
        return false;
    if (equalsIgnoringCase(jvmType, PluginType)) {
        traceMessage(traceFilename, "extended JVM search does not look for", jvmType);
        return false;
    }
    for (const JvmCandidate& candidate : collectCandidates(executableName)) {
        traceMessage(traceFilename, "testing jvm from " + candidate.source + ":", candidate.home);
        JvmOk jvmOk;
        jvmOk.setTraceFilename(traceFilename);
        if (!_mayMeetLimits(jvmOk, candidate, required, minimum, maximum))
            continue;
        // Without the test program any executable passes the test below: what the key records
        // must meet the limits too, as for the JavaSoft keys.
        if (jvmOk.jvmCorrectVersion(required, minimum, maximum, candidate.home, executableName, executablePath)) {
            traceMessage(traceFilename, "extended JVM search found jvm", executablePath);
            return true;
        }
    }
    traceMessage(traceFilename, "extended JVM search found no compatible Jvm");
    return false;
}

bool ExtendedJvmSearch::_mayMeetLimits(JvmOk& jvmOk, const JvmCandidate& candidate, const std::string& required,
                                       const std::string& minimum, const std::string& maximum)
{
    const char* reason = nullptr;
    if (!candidate.version.empty()) {
        if (!jvmOk.verifyVersion(required, minimum, maximum, candidate.version))
            reason = "recorded version outside the limits";
    } else if (!(required.empty() && minimum.empty() && maximum.empty()) && !JvmOk::hasTestProgram()) {
        // Nothing tells this JVM's version but the test program.
        reason = "no version to check without the test program";
    }
    if (reason == nullptr)
        return true;
    traceMessage(traceFilename, std::string("extended JVM search skips ") + candidate.source + " (" + reason + "):",
                 candidate.home);
    return false;
}

std::vector<JvmCandidate> ExtendedJvmSearch::collectCandidates(const std::string& executableName)
{
    std::vector<JvmCandidate> found;
    for (std::size_t index = 0; index < std::size(RegistrySources); ++index)
        _walkKey(index, RegistrySources[index].root, 0, "", executableName, found);
    // Highest suggested version first; equal ones keep the order of the sources.
    std::stable_sort(found.begin(), found.end(), [](const JvmCandidate& a, const JvmCandidate& b) {
        return compareVersions(a.version, b.version) > 0;
    });
    std::string javaHome;
    if (platform::getEnv(JavaHomeVariable, javaHome)) {
        JvmCandidate candidate{"", "", JavaHomeVariable};
        if (_usableHome(javaHome, candidate.source, executableName, candidate.home))
            found.push_back(candidate);
    }

    std::vector<JvmCandidate> candidates;
    std::set<std::string> seen;
    for (JvmCandidate& candidate : found) {
        if (!seen.insert(comparablePath(candidate.home, "")).second) {
            traceMessage(traceFilename, "extended JVM search already has " + candidate.home + ", also in",
                         candidate.source);
            continue;
        }
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}

void ExtendedJvmSearch::_walkKey(std::size_t sourceIndex, const std::string& keyPath, unsigned depth,
                                 const std::string& version, const std::string& executableName,
                                 std::vector<JvmCandidate>& candidates)
{
    platform::RegKey key;
    if (!platform::regOpenKey(platform::RegRoot::LocalMachine, keyPath, platform::RegAccess::Read, key))
        return;
    for (const char* valueName : RegistrySources[sourceIndex].values) {
        std::string value;
        if (valueName == nullptr || !platform::regQueryString(key, valueName, value, ValueReadSize))
            continue;
        JvmCandidate candidate{"", version, "HKLM\\" + keyPath + " " + valueName};
        if (_usableHome(value, candidate.source, executableName, candidate.home))
            candidates.push_back(candidate);
    }
    if (depth < MaxKeyDepth) {
        std::vector<std::string> names;
        std::string name;
        for (unsigned index = 0; platform::regEnumSubkey(key, index, name); ++index)
            names.push_back(name);
        for (const std::string& subkey : names) {
            // The first key name with a digit below the root names the version (JDK\17.0.8\hotspot).
            std::string suggested = version.empty() ? versionOfKeyName(subkey) : version;
            _walkKey(sourceIndex, keyPath + "\\" + subkey, depth + 1, suggested, executableName, candidates);
        }
    }
    platform::regCloseKey(key);
}

bool ExtendedJvmSearch::_usableHome(const std::string& value, const std::string& source,
                                    const std::string& executableName, std::string& home)
{
    home = value;
    while (home.size() > 1 && isSeparator(home.back()))
        home.pop_back();
    const std::size_t longestName = std::max(executableName.size(), std::strlen(JavawExecutable));
    const char* reason = nullptr;
    platform::FileStatus status;
    if (hasForbiddenCharacter(home))
        reason = "not a path";
    else if (!isRooted(home))
        reason = "not a full path";
    else if (home.size() + std::strlen(BinDir) + longestName > MaxPathLength)
        reason = "path too long";
    else if (!platform::stat(home, status))
        reason = "no such directory";
    else if (!status.isDirectory && !status.isLink)
        reason = "not a directory";
    else if (!fexists(home + BinDir + executableName) && !fexists(home + BinDir + JavaExecutable) &&
             !fexists(home + BinDir + JavawExecutable))
        reason = "no java executable";
    if (reason == nullptr)
        return true;
    traceMessage(traceFilename, std::string("extended JVM search skips ") + source + " (" + reason + "):",
                 value.substr(0, TracedValueLength));
    return false;
}

bool findExtendedJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                     const std::string& jvmType, std::string& executableName, std::string& executablePath)
{
    ExtendedJvmSearch search;
    return search.isJvmInstalled(readExtendedJvmSearch(), required, minimum, maximum, jvmType, executableName,
                                 executablePath);
}
