// Proves that a Java executable runs and that its version meets the limits.
#pragma once

#include <string>

#include "diag/trace.h"
#include "discovery/jvmbits.h"

/// Runs the payload's test program with a candidate JVM and checks the version it reports.
/// Limits are texts: required (overrides the range), minimum, maximum; an empty text is no limit.
class JvmOk : public Trace {
public:
    JvmOk();

    /// Traces go to this file (a full path when the caller changes directory).
    void setTraceFilename(const std::string& name);

    /// true when directory\name or directory\bin\name passes correctVersion; an old runtime's
    /// name "jre..." is retried as javaw.exe (tracing on) or java.exe, and then stays changed.
    /// On false the name is as given and executablePath holds the last path tried.
    bool jvmCorrectVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                           const std::string& jvmDirectory, std::string& executableName,
                           std::string& executablePath);
    /// As above, and the recorded version (e.g. from the registry) must meet the limits too.
    bool jvmCorrectVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                           const std::string& recordedVersion, const std::string& jvmDirectory,
                           std::string& executableName, std::string& executablePath);
    /// true when the executable is of the kind "jvmArchitecture" asks for (any kind without it);
    /// false with a trace otherwise.
    bool fitsArchitecture(const std::string& executablePath);
    /// true when the executable exists, fits the architecture and passes testVersion.
    bool correctVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                        const std::string& executablePath);
    /// true when the test program, run with the executable, reports a version within the limits,
    /// or when there is no test program in the current directory.
    bool testVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                     const std::string& executablePath);
    /// true when the first line of the result file carries a version within the limits.
    bool checkVersion(const std::string& resultFile, const std::string& required, const std::string& minimum,
                      const std::string& maximum);
    /// Cuts the line to its first-digit-to-last-digit run (empty without digits); true when
    /// that version is within the limits.
    bool testLine(std::string& line, const std::string& required, const std::string& minimum,
                  const std::string& maximum);
    /// true when the version meets the limits (versions compared as versions, cut to each limit).
    bool verifyVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                       const std::string& version);
    /// The version the test program reported in the last testLine ("" before one).
    const std::string& reportedVersion() const { return reported; }

    /// true when the test program is in the current directory: only then does testVersion prove
    /// a version.
    static bool hasTestProgram();

private:
    bool _tryDirectory(const std::string& required, const std::string& minimum, const std::string& maximum,
                      const std::string& jvmDirectory, const std::string& executableName,
                      std::string& executablePath);

    std::string traceFilename;
    std::string reported;
    JvmBits wantedBits; // from the control file: a JVM of another kind is never used
};
