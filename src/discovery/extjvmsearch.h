// The search for JVMs that today's Java installers record outside the JavaSoft version keys.
#pragma once

#include <string>
#include <vector>

#include "diag/trace.h"
#include "discovery/jvmbits.h"

class JvmOk;

/// Where a candidate was found; on equal versions also the order (the machine's keys first).
enum class JvmOrigin { MachineRegistry, MachineRegistry32, UserRegistry, SearchPath, JavaHome };

/// One JVM home directory that the extended search may test.
struct JvmCandidate {
    std::string home{};   // the directory as recorded, without trailing separators
    std::string version;  // the version its registry key names, Java 8's "8.0" as "1.8.0" ("" for PATH, JAVA_HOME)
    std::string source;   // as traces name it: "HKLM 32-bit Eclipse Adoptium", "HKCU JavaSoft", "PATH entry 3"
    std::string location; // the key and value ("HKLM\<key> <value>"), or the entry or variable as found
    JvmOrigin origin = JvmOrigin::MachineRegistry;
    JvmBits bits = JvmBits::Unknown; // of its java executable's image
    std::string verdict{}; // empty while it may be tried; otherwise why it was turned down
};

/// Looks for a JVM in the keys of the Java 9+ JavaSoft layout, of Eclipse Adoptium, Microsoft,
/// Azul Zulu, IBM Semeru and BellSoft Liberica (HKEY_LOCAL_MACHINE in both views, and
/// HKEY_CURRENT_USER, where the JavaSoft keys of old count too), on the search path and in
/// JAVA_HOME. A candidate is taken when the version its key names meets the limits and it passes
/// the version test (without a key version, only when the test program ran).
class ExtendedJvmSearch : public Trace {
public:
    ExtendedJvmSearch();

    void setTraceFilename(const std::string& name);

    /// true when the search is enabled, the type is not "Java Plug-in" and a candidate passed
    /// the version test: executablePath is then its executable and executableName the name it
    /// was found under. On false the name is as given.
    bool isJvmInstalled(bool enabled, const std::string& required, const std::string& minimum,
                        const std::string& maximum, const std::string& jvmType, std::string& executableName,
                        std::string& executablePath);

    /// The candidates in the order they are tried: highest version their key names first (those
    /// without one last); on equal versions 64-bit before 32-bit, HKLM before HKCU, registry
    /// before PATH before JAVA_HOME. Unusable values (no rooted path, too long, a file, no java
    /// executable in bin) and second sightings of a directory are left out, each with a trace.
    /// A candidate from HKCU, PATH or JAVA_HOME in a folder others can change stays in the list
    /// with its verdict, and is never tried.
    std::vector<JvmCandidate> collectCandidates(const std::string& executableName);

private:
    /// false, with a trace, when the candidate's recorded version is outside the limits, or when
    /// it records none and only the test program could tell (there are limits, no test program).
    bool _mayMeetLimits(JvmOk& jvmOk, const JvmCandidate& candidate, const std::string& required,
                        const std::string& minimum, const std::string& maximum);
    void _walkKey(std::size_t viewIndex, std::size_t sourceIndex, const std::string& keyPath, unsigned depth,
                  const std::string& version, const std::string& executableName,
                  std::vector<JvmCandidate>& candidates);
    void _searchPath(const std::string& executableName, std::vector<JvmCandidate>& candidates);
    /// The home a search-path entry leads to: the folder above a "bin" entry that holds a java
    /// executable, or above the "bin" folder that a non-bin entry's java.exe links into. false,
    /// with a trace, for every other entry.
    bool _homeOfPathEntry(const std::string& entry, const std::string& source, const std::string& windowsDir,
                          const std::string& executableName, std::string& home);
    /// true when value names a directory with a java executable in bin; the candidate then has
    /// its clean home and bitness (and its verdict when it needs a folder only we control).
    bool _addCandidate(const std::string& value, JvmCandidate candidate, const std::string& executableName,
                       std::vector<JvmCandidate>& candidates);
    void _skip(const std::string& source, const char* reason, const std::string& value);

    std::string traceFilename;
};

/// The extended search for callers without the control values at hand (the search after a
/// vendor's installer ran): switched by "extendedJvmSearch" as "qbx.control" gives it.
bool findExtendedJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                     const std::string& jvmType, std::string& executableName, std::string& executablePath);
