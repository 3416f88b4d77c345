#include "discovery/extjvmsearch.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <optional>
#include <set>

#include "control/extsearchkey.h"
#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "exec/trustedfolder.h"
#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"
#include "discovery/sysdirs.h"
#include "platform/files.h"
#include "platform/pathidentity.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace {

constexpr const char* PluginType = "Java Plug-in";
constexpr const char* JavaHomeVariable = "JAVA_HOME";
constexpr const char* BinDir = "\\bin\\";
constexpr const char* BinFolder = "bin";
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
    const char* vendor; // as traces name it
    const char* values[2];
    bool machineView; // read in HKLM's own view too: the JavaSoft search has read the others there
};

// Tried in this order, each subtree walked; a key's values are taken when present.
constexpr RegistrySource RegistrySources[] = {
    {"SOFTWARE\\JavaSoft\\JDK", "JavaSoft", {"JavaHome", nullptr}, true},
    {"SOFTWARE\\JavaSoft\\JRE", "JavaSoft", {"JavaHome", nullptr}, true},
    {"SOFTWARE\\JavaSoft\\Java Runtime Environment", "JavaSoft", {"JavaHome", nullptr}, false},
    {"SOFTWARE\\JavaSoft\\Java Development Kit", "JavaSoft", {"JavaHome", nullptr}, false},
    {"SOFTWARE\\Eclipse Adoptium", "Eclipse Adoptium", {"Path", nullptr}, true},
    {"SOFTWARE\\Microsoft\\JDK", "Microsoft", {"Path", nullptr}, true},
    {"SOFTWARE\\Azul Systems\\Zulu", "Azul Zulu", {"InstallationPath", nullptr}, true},
    {"SOFTWARE\\Semeru", "IBM Semeru", {"Path", "InstallationPath"}, true},
    {"SOFTWARE\\BellSoft\\Liberica", "BellSoft Liberica", {"Path", "InstallationPath"}, true},
};

struct RegistryView {
    platform::RegRoot root;
    platform::RegView view;
    const char* name; // as traces name it
    JvmOrigin origin;
};

// The machine's own view, its 32-bit view (32-bit JVMs on 64-bit Windows), then the user's keys
// (per-user installs; shared by both views).
constexpr RegistryView RegistryViews[] = {
    {platform::RegRoot::LocalMachine, platform::RegView::Native, "HKLM", JvmOrigin::MachineRegistry},
    {platform::RegRoot::LocalMachine, platform::RegView::Bits32, "HKLM 32-bit", JvmOrigin::MachineRegistry32},
    {platform::RegRoot::CurrentUser, platform::RegView::Native, "HKCU", JvmOrigin::UserRegistry},
};

/// On equal versions: 64-bit before 32-bit before an image of unknown kind.
int bitsRank(JvmBits bits)
{
    return bits == JvmBits::Bits64 ? 0 : bits == JvmBits::Bits32 ? 1 : 2;
}

/// On equal versions and kinds: the machine's keys (either view), the user's, PATH, JAVA_HOME.
int originRank(JvmOrigin origin)
{
    switch (origin) {
    case JvmOrigin::MachineRegistry:
    case JvmOrigin::MachineRegistry32: return 0;
    case JvmOrigin::UserRegistry: return 1;
    case JvmOrigin::SearchPath: return 2;
    case JvmOrigin::JavaHome: break;
    }
    return 3;
}

bool tryFirst(const JvmCandidate& a, const JvmCandidate& b)
{
    // A candidate without a version comes after all that have one.
    if (a.version.empty() != b.version.empty())
        return b.version.empty();
    if (int order = compareVersions(a.version, b.version))
        return order > 0;
    if (bitsRank(a.bits) != bitsRank(b.bits))
        return bitsRank(a.bits) < bitsRank(b.bits);
    return originRank(a.origin) < originRank(b.origin);
}

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

JvmCandidate candidateFrom(const std::string& version, const std::string& source, const std::string& location,
                           JvmOrigin origin)
{
    return JvmCandidate{.version = version, .source = source, .location = location, .origin = origin};
}

/// Only the machine's keys are trusted as they are: other sources may name a user's folder.
bool needsTrustedFolder(JvmOrigin origin)
{
    return origin != JvmOrigin::MachineRegistry && origin != JvmOrigin::MachineRegistry32;
}

/// The last component of a path without trailing separators ("C:\jdk\bin\" gives "bin").
std::string lastComponent(const std::string& path)
{
    auto end = path.find_last_not_of("\\/");
    if (end == std::string::npos)
        return std::string();
    auto start = path.find_last_of("\\/", end);
    return path.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

/// The first java executable in the folder: the control file's name, java.exe, javaw.exe.
bool javaIn(const std::string& dir, const std::string& executableName, std::string& executable)
{
    for (const std::string& name : {executableName, std::string(JavaExecutable), std::string(JavawExecutable)}) {
        executable = dir + "\\" + name;
        if (!name.empty() && fexists(executable))
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
        if (!candidate.verdict.empty())
            continue;
        traceMessage(traceFilename,
                     "testing jvm from " + candidate.source + " (" + bitsName(candidate.bits) + "):", candidate.home);
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
    _skip(candidate.source, reason, candidate.home);
    return false;
}

std::vector<JvmCandidate> ExtendedJvmSearch::collectCandidates(const std::string& executableName)
{
    std::vector<JvmCandidate> found;
    for (std::size_t view = 0; view < std::size(RegistryViews); ++view)
        for (std::size_t source = 0; source < std::size(RegistrySources); ++source)
            if (RegistrySources[source].machineView || view != 0)
                _walkKey(view, source, RegistrySources[source].root, 0, "", executableName, found);
    _searchPath(executableName, found);
    std::string javaHome;
    if (platform::getEnv(JavaHomeVariable, javaHome))
        _addCandidate(javaHome, candidateFrom("", JavaHomeVariable, javaHome, JvmOrigin::JavaHome), executableName,
                      found);
    std::stable_sort(found.begin(), found.end(), tryFirst);

    std::vector<JvmCandidate> candidates;
    std::set<std::string> seen;
    for (JvmCandidate& candidate : found) {
        // The same JVM under two spellings or through a link is one candidate.
        std::string resolved;
        if (!platform::resolvePath(candidate.home, resolved))
            resolved = candidate.home;
        if (!seen.insert(comparablePath(resolved, "")).second) {
            traceMessage(traceFilename, "extended JVM search already has " + candidate.home + ", also in",
                         candidate.source);
            continue;
        }
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}

void ExtendedJvmSearch::_walkKey(std::size_t viewIndex, std::size_t sourceIndex, const std::string& keyPath,
                                 unsigned depth, const std::string& version, const std::string& executableName,
                                 std::vector<JvmCandidate>& candidates)
{
    const RegistryView& view = RegistryViews[viewIndex];
    const RegistrySource& source = RegistrySources[sourceIndex];
    platform::RegKey key;
    if (!platform::regOpenKey(view.root, keyPath, platform::RegAccess::Read, key, view.view))
        return;
    for (const char* valueName : source.values) {
        std::string value;
        if (valueName == nullptr || !platform::regQueryString(key, valueName, value, ValueReadSize))
            continue;
        const std::string hive = view.root == platform::RegRoot::CurrentUser ? "HKCU" : "HKLM";
        _addCandidate(value,
                      candidateFrom(version, std::string(view.name) + " " + source.vendor,
                                    hive + "\\" + keyPath + " " + valueName, view.origin),
                      executableName, candidates);
    }
    if (depth < MaxKeyDepth) {
        std::vector<std::string> names;
        std::string name;
        for (unsigned index = 0; platform::regEnumSubkey(key, index, name); ++index)
            names.push_back(name);
        for (const std::string& subkey : names) {
            // The first key name with a digit below the root names the version (JDK\17.0.8\hotspot).
            std::string suggested = version.empty() ? versionOfKeyName(subkey) : version;
            _walkKey(viewIndex, sourceIndex, keyPath + "\\" + subkey, depth + 1, suggested, executableName,
                     candidates);
        }
    }
    platform::regCloseKey(key);
}

void ExtendedJvmSearch::_searchPath(const std::string& executableName, std::vector<JvmCandidate>& candidates)
{
    const std::optional<std::string> path = getPathPtr();
    if (!path)
        return;
    const std::string windowsDir = windowsDirectory();
    std::size_t number = 0;
    for (std::size_t start = 0; start <= path->size(); ++number) {
        std::size_t end = path->find(';', start);
        if (end == std::string::npos)
            end = path->size();
        std::string entry = path->substr(start, end - start);
        start = end + 1;
        // Windows' own search takes a quoted entry ("C:\Program Files\...\bin") without its quotes.
        if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
            entry = entry.substr(1, entry.size() - 2);
        const std::string source = "PATH entry " + std::to_string(number + 1);
        std::string home;
        if (_homeOfPathEntry(entry, source, windowsDir, executableName, home))
            _addCandidate(home, candidateFrom("", source, entry, JvmOrigin::SearchPath), executableName,
                          candidates);
    }
}

bool ExtendedJvmSearch::_homeOfPathEntry(const std::string& entry, const std::string& source,
                                         const std::string& windowsDir, const std::string& executableName,
                                         std::string& home)
{
    std::string executable, resolved;
    const char* reason = nullptr;
    if (entry.empty() || !isRooted(entry))
        reason = "not a full path";
    else if (!windowsDir.empty() && comparablePath(entry, "") == comparablePath(windowsDir, ""))
        reason = "the Windows directory"; // where copies of an older JVM's launchers land
    else if (equalsIgnoringCase(lastComponent(entry), BinFolder)) {
        if (javaIn(entry, executableName, executable)) {
            home = parentPath(entry.substr(0, entry.find_last_not_of("\\/") + 1));
            return true;
        }
        reason = "no java executable";
    } else if (!fexists(entry + "\\" + JavaExecutable))
        reason = "no java executable";
    else if (!platform::resolvePath(entry + "\\" + JavaExecutable, resolved) ||
             !equalsIgnoringCase(lastComponent(parentPath(resolved)), BinFolder))
        reason = "not a bin folder, and its java.exe no link into one";
    else {
        // A folder such as javapath: its java.exe links to the JVM's own bin\java.exe.
        home = parentPath(parentPath(resolved));
        return true;
    }
    _skip(source, reason, entry);
    return false;
}

bool ExtendedJvmSearch::_addCandidate(const std::string& value, JvmCandidate candidate,
                                      const std::string& executableName, std::vector<JvmCandidate>& candidates)
{
    std::string& home = candidate.home;
    home = value;
    while (home.size() > 1 && isSeparator(home.back()))
        home.pop_back();
    const std::size_t longestName = std::max(executableName.size(), std::strlen(JavawExecutable));
    const char* reason = nullptr;
    platform::FileStatus status;
    std::string executable;
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
    else if (!javaIn(home + "\\" + BinFolder, executableName, executable))
        reason = "no java executable";
    if (reason != nullptr) {
        _skip(candidate.source + " " + candidate.location, reason, value.substr(0, TracedValueLength));
        return false;
    }
    candidate.bits = executableBits(executable);
    std::string why;
    if (needsTrustedFolder(candidate.origin) && !onlyTrustedCanChange(home, why)) {
        // The launcher runs elevated: a JVM that another user could have placed is never run.
        candidate.verdict = "a folder others can change, " + why;
        traceMessage(traceFilename, "extended JVM search turns down " + candidate.source + " (" + candidate.verdict + "):",
                     home);
    }
    candidates.push_back(std::move(candidate));
    return true;
}

void ExtendedJvmSearch::_skip(const std::string& source, const char* reason, const std::string& value)
{
    traceMessage(traceFilename, "extended JVM search skips " + source + " (" + reason + "):", value);
}

bool findExtendedJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                     const std::string& jvmType, std::string& executableName, std::string& executablePath)
{
    ExtendedJvmSearch search;
    return search.isJvmInstalled(readExtendedJvmSearch(), required, minimum, maximum, jvmType, executableName,
                                 executablePath);
}
