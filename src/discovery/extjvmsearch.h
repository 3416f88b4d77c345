// The search for JVMs that today's Java installers record outside the JavaSoft version keys.
#pragma once

#include <string>
#include <vector>

#include "diag/trace.h"

class JvmOk;

/// One JVM home directory that the extended search may test.
struct JvmCandidate {
    std::string home;    // the directory as recorded, without trailing separators
    std::string version; // the version its registry key names, Java 8's "8.0" as "1.8.0" ("" for JAVA_HOME)
    std::string source;  // where it was recorded: "HKLM\<key> <value>" or "JAVA_HOME"
};

/// Looks for a JVM in the keys of the Java 9+ JavaSoft layout, of Eclipse Adoptium, Microsoft,
/// Azul Zulu, IBM Semeru and BellSoft Liberica (HKEY_LOCAL_MACHINE), and in JAVA_HOME.
/// A key's name gives the order; a candidate is taken when the version its key names meets the
/// limits and it passes the version test (without a key version, only when the test program ran).
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

    /// The candidates in the order they are tried: the registry's by suggested version, highest
    /// first, then JAVA_HOME. Unusable values (no rooted path, too long, a file, no java
    /// executable in bin) and second sightings of a directory are left out, each with a trace.
    std::vector<JvmCandidate> collectCandidates(const std::string& executableName);

private:
    /// false, with a trace, when the candidate's recorded version is outside the limits, or when
    /// it records none and only the test program could tell (there are limits, no test program).
    bool _mayMeetLimits(JvmOk& jvmOk, const JvmCandidate& candidate, const std::string& required,
                        const std::string& minimum, const std::string& maximum);
    void _walkKey(std::size_t sourceIndex, const std::string& keyPath, unsigned depth, const std::string& version,
                  const std::string& executableName, std::vector<JvmCandidate>& candidates);
    /// true when value names a directory with a java executable; home is then its clean form.
    bool _usableHome(const std::string& value, const std::string& source, const std::string& executableName,
                     std::string& home);

    std::string traceFilename;
};

/// The extended search for callers without the control values at hand (the search after a
/// vendor's installer ran): switched by "extendedJvmSearch" as "qbx.control" gives it.
bool findExtendedJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                     const std::string& jvmType, std::string& executableName, std::string& executablePath);
