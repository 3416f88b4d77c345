// Providing a JVM with the vendor's own installer program, shipped in the payload.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "diag/status.h"
#include "diag/trace.h"
#include "platform/ui.h"
#include "provision/payloadintegrity.h"

/// Separates the program and each argument of the control file's installer command line.
inline constexpr const char* ArgSeparator = "/*/*/*";

/// An installer command line taken apart.
struct InstallerCommand {
    std::string program;            // the text before the first separator, as written
    std::vector<std::string> args;  // the program's file name, then each argument as written
    std::size_t argumentCount = 0;  // number of arguments after the program
};

/// Splits the command line at every separator: blanks and quotes belong to the pieces, empty
/// pieces stay. Element 0 of args is the text after the program path's last backslash. A line
/// without any separator is a program without arguments.
InstallerCommand splitInstallerCommand(const std::string& commandLine);

/// The position just after the separator found at position (npos stays npos).
std::size_t getStartNextArg(std::size_t position);

/// Copies the vendor's installer into a directory that JvmInstaller chooses, runs it there with
/// the control file's arguments, removes the copy, and looks for the JVM it left: in a
/// subdirectory of that directory, else through the registry searches. Made for one attempt.
class RunJvmInstaller : public Trace, public Status {
public:
    void setHwnd(platform::WindowHandle window) { hwnd = window; }
    /// true when the chosen directory already held a JVM that passes the test.
    bool isJvmDiscovered() const { return discovered; }
    /// The installer's SHA-256 ("sha256JvmInstallerBinary"); empty: it runs unchecked.
    void setInstallerSha256(const std::string& value) { integrity.setExpected(value); }
    /// true when the installer was not run because its copy is not the file shipped.
    bool isPackageDamaged() const { return integrity.isDamaged(); }

    /// true when a suitable JVM is in place: jvmPath names its executable and commandName the
    /// name it was found under. installerBinary is a file of the current directory; the
    /// command line is only read, so a second attempt runs it as written again.
    bool run(const std::string& required, const std::string& minimum, const std::string& maximum,
             const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
             const std::string& installerBinary, const std::string& installerCommand, std::string& jvmPath,
             const std::string& homeDirectory);
    /// true unless "configureWinRegistry" forbids registry changes.
    bool configureWinReg();

    // The inner steps of run.

    /// true when the installer ran and a JVM of version jvmVersion was found afterwards.
    bool installJvm(const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                    const std::string& installerBinary, const std::string& installerCommand,
                    const std::string& jvmDirectory, std::string& jvmPath);
    /// true when the installer was copied from the current directory into the JVM directory.
    bool copyInstaller(const std::string& installerBinary, const std::string& jvmDirectory);
    /// true when the program of the command line was started (inside the JVM directory) and ended.
    bool runInstaller(const std::string& installerCommand, const std::string& jvmDirectory);
    /// true when the program ran in the JVM directory; the current directory is restored.
    bool executeInstaller(const std::string& program, const std::vector<std::string>& args,
                          const std::string& jvmDirectory);
    /// Removes the copy of the installer.
    void removeInstaller(const std::string& installerBinary, const std::string& jvmDirectory);
    /// true when an entry of the JVM directory holds a JVM that passes the test.
    bool jvmInNewDir(const std::string& required, const std::string& minimum, const std::string& maximum,
                     const std::string& jvmDirectory, std::string& commandName, std::string& jvmPath);
    /// true when the registry searches find a JVM that passes the test.
    bool findInstalledJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                          const std::string& jvmType, std::string& commandName, std::string& jvmPath);
    /// Removes the JVM directory when nothing is in it.
    void removeEmptyDir(const std::string& jvmDirectory);

private:
    std::string homeDirectory;
    std::string limitMinimum; // the control file's range, for a vendor JVM of no stated version
    std::string limitMaximum;
    bool discovered = false;
    platform::WindowHandle hwnd = nullptr;
    PayloadIntegrity integrity{"sha256JvmInstallerBinary"};
};
