// Choosing, and creating, the directory that receives a new JVM.
#pragma once

#include <string>
#include <vector>

#include "diag/status.h"
#include "diag/trace.h"

/// The version limits a JVM must meet: required (overrides the range), minimum, maximum;
/// an empty text is no limit.
struct VersionLimits {
    std::string required;
    std::string minimum;
    std::string maximum;
};

/// Picks the target directory of a new JVM in a fixed order of preference: the predefined
/// directory, a versioned directory under Program Files (or the documents folder), a "jvm" tree
/// at the root of that drive, under the Windows directory, under each search-path entry, under
/// the current directory. Made for one selection.
class JvmInstaller : public Trace, public Status {
public:
    /// The Windows directory of the run: the base of the "jvm" tree of the fourth preference.
    void setHomeDirectory(const std::string& directory);
    /// Full path of a payload program about to run (expander, vendor installer): a "jvm" tree
    /// that holds it is never deleted.
    void setPayloadProgram(const std::string& path);
    /// The "./" form of the bundled JVM's home subdirectory ("./jre"): a JVM left there by an
    /// earlier expansion counts as a JVM in the directory above it.
    void setJvmHomeSubdirectory(const std::string& jvmHomeDir);
    /// true when a JVM that passed the version test already sits in the chosen directory.
    bool isJvmDiscovered() const { return discovered; }

    /// true when a directory was chosen (it exists); it is in directory. When isJvmDiscovered,
    /// jvmPath names the executable that passed the test (the test may change commandName, as
    /// JvmOk does); otherwise jvmPath holds the last path tried. predefinedDir may be empty.
    bool createJvmDirectory(const std::string& required, const std::string& minimum, const std::string& maximum,
                            const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                            const std::string& predefinedDir, std::string& directory, std::string& jvmPath);
    /// Removes the tree "jvm" inside the directory (links removed, never followed), unless it
    /// holds the payload program.
    void deleteTempJvmDir(const std::string& directory);

    // The inner steps of createJvmDirectory.

    /// true when preferences 1 to 4 gave a directory.
    bool _createJvmDirectory(const VersionLimits& limits, const std::string& jvmVersion, const std::string& jvmType,
                             std::string& commandName, const std::string& predefinedDir, std::string& directory,
                             std::string& jvmPath);
    /// true when the predefined directory (with its leading variable expanded) is in target.
    bool getNewJvmInstallerTo(const std::string& predefinedDir, std::string& target);
    /// true when predefinedDir is variable, a backslash and more: target is value and that rest.
    bool getVariableDir(const std::string& variable, const std::string& value, const std::string& predefinedDir,
                        std::string& target);
    /// true when every level of the directory exists or was created (parents first); the
    /// discovered flag then tells whether a JVM there passes the test.
    bool createPredeterminedJvmDirectory(const VersionLimits& limits, std::string& commandName,
                                         const std::string& directory, std::string& jvmPath);
    /// Preferences 2 to 4; true and the directory chosen.
    bool createWinJvmDirectory(const VersionLimits& limits, const std::string& jvmVersion,
                               const std::string& jvmType, std::string& commandName, std::string& directory,
                               std::string& jvmPath);
    /// true when base\jvm\<type+family, lower case>\... was made inside directory (in: the base).
    bool createJvmSubdirectory(const VersionLimits& limits, const std::string& jvmVersion,
                               const std::string& jvmType, std::string& commandName, std::string& directory,
                               std::string& jvmPath);
    /// true when base\name exists afterwards (made when missing); base then holds it.
    bool addDirectory(std::string& base, const std::string& name);
    /// true when the directory exists afterwards (made when missing).
    bool addDirectory(const std::string& path);
    /// true when the path lies in a place of the run's own (Program Files, the Windows
    /// directory, the working directory), where other users cannot make folders.
    bool inOwnPlace(const std::string& path);
    /// true when the existing folder may be used: in a place of the run's own, or controlled by
    /// no one but administrators, the system and us; otherwise traces it as passed over.
    bool usablePlace(const std::string& folder);
    /// true when a JVM in the directory, or in its home subdirectory, passes the version test.
    bool testJvm(const VersionLimits& limits, std::string& commandName, const std::string& directory,
                 std::string& jvmPath);
    /// true when the folder may be used and a JVM in it passes the version test.
    bool foundValidJvm(const VersionLimits& limits, std::string& commandName, const std::string& directory,
                       std::string& jvmPath);
    /// true and Program Files, or (from Vista on, when it is not writable) a documents folder.
    bool getProgramsDirectory(std::string& directory);
    /// The registry's "ProgramFilesDir", else "C:\Program Files" when it exists, else empty.
    std::string quietProgramFilesDirectory();
    /// true and the registry's "ProgramFilesDir", else "C:\Program Files" when it exists.
    bool getProgramFilesDirectory(std::string& directory);
    /// true and the shared, else the personal documents folder.
    bool getDocumentsDirectory(std::string& directory);
    /// true and the Windows directory the registry names.
    bool getWindowsDirectory(std::string& directory);
    /// true on Windows Vista and later.
    bool isVistaOrWindows7();

private:
    std::string homeDirectory;
    std::string payloadProgram;
    std::string jvmHomeSubdirectory;
    std::vector<std::string> ownPlaces; // Program Files, the Windows directory, the working directory
    bool discovered = false;
};
