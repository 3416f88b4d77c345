// The packager's check of a payload: the control file and the files it names, read with the
// launcher's own readers, reported as findings. Nothing in the payload is changed.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "check/finding.h"
#include "control/getparam.h"

/// Checks one payload directory. The control file is read through a copy in a scratch folder
/// of the caller's (the launcher's reader rewrites the file it reads); traces and version tests
/// go to the current directory, which the caller makes a scratch folder too.
class PayloadCheck {
public:
    PayloadCheck(const std::string& payloadDir, const std::string& scratchDir)
        : dir(payloadDir), scratch(scratchDir) {}

    /// false when the payload directory cannot be read (nothing is checked then); otherwise true
    /// with every finding added.
    bool run(Findings& findings);

    // The steps of run, each adding its findings.

    /// The file's encoding, line ends and each line as the reader takes it; records the keys seen.
    void checkControlText(const std::string& bytes, Findings& findings);
    /// true when the copy of the control text was read into values, defaults applied.
    bool readValues(const std::string& bytes, ControlValues& values);
    void checkVersions(const ControlValues& values, Findings& findings);
    void checkWizard(const ControlValues& values, Findings& findings);
    void checkProvisioning(const ControlValues& values, Findings& findings);
    void checkSecurityFiles(const ControlValues& values, Findings& findings);
    void checkCleanup(Findings& findings);

    /// true when the key was given in the control file.
    bool given(const std::string& key) const;

private:
    void _checkLine(const std::string& line, int number, Findings& findings);
    void _checkProgram(const char* key, const std::string& name, const char* pinKey, const std::string& pinned,
                       Findings& findings);
    void _checkPredefinedDir(const std::string& predefined, Findings& findings);
    std::string _path(const std::string& name) const { return dir + "\\" + name; }

    std::string dir;
    std::string scratch;
    std::vector<std::pair<std::string, std::vector<int>>> keyLines; // each key seen, on which lines
};
