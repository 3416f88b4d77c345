// Installing the payload's compressed JVM: target directory, expansion, registration, test.
#pragma once

#include <string>

#include "diag/status.h"
#include "diag/trace.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "provision/payloadintegrity.h"

inline constexpr const char* JreEntry = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
inline constexpr const char* JdkEntry = "SOFTWARE\\JavaSoft\\Java Development Kit";

/// Expands the payload's self-expanding JVM into a directory that JvmInstaller chooses, finds
/// its executable, registers it under the JavaSoft keys (as "configureWinRegistry" allows) and
/// proves it with the version test. Made for one installation, or for one configureJvm.
class ExtractJvm : public Trace, public Status {
public:
    /// Keeps the owner window (the status dialog).
    void setHwnd(platform::WindowHandle window) { hwnd = window; }
    /// true when extractJvm expanded a new JVM that passed the test (false for a reused one).
    bool isJvmInstalled() const { return installed; }
    /// The expander's SHA-256 ("sha256JvmSelfExtractor"); empty: it runs unchecked.
    void setExpanderSha256(const std::string& value) { integrity.setExpected(value); }
    /// true when the expander was not run because it is not the file shipped.
    bool isPackageDamaged() const { return integrity.isDamaged(); }

    /// true when a JVM that passes the version test is in place: jvmPath names its executable
    /// and commandName its file name. The expander (selfExtractor, relative to the current
    /// directory) runs only when the chosen directory holds no suitable JVM yet. jvmHomeDir is
    /// "./sub" (a subdirectory of the chosen one), another path (used instead), or empty.
    bool extractJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                    const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                    const std::string& selfExtractor, const std::string& predefinedDir,
                    const std::string& jvmHomeDir, std::string& jvmPath, const std::string& homeDirectory);
    /// true when the JVM directory was chosen, filled (or found filled) and configured; it is
    /// in directory.
    bool installCompressedJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                              const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                              const std::string& selfExtractor, const std::string& predefinedDir,
                              const std::string& jvmHomeDir, std::string& jvmPath,
                              const std::string& homeDirectory, std::string& directory);
    /// true when the expander exists; command is its path in currentDir (short form, else
    /// quoted when it holds a blank).
    bool getJvmInstallerCommand(const std::string& selfExtractor, std::string& command,
                                const std::string& currentDir);
    /// true when the JVM's executable was found in the directory (and, with configureRegistry,
    /// the JVM registered); commandName then holds the executable's file name.
    bool configureJvm(const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                      const std::string& jvmDirectory, const std::string& homeDirectory, bool configureRegistry);

    // Registry entries and the launcher copies in the Windows directory.

    /// true unless "configureWinRegistry" forbids registry changes.
    bool configureWinReg();
    /// Registers the JVM when allowed; always true (the registry never fails an installation).
    bool configureWinJvm(const std::string& jvmVersion, const std::string& jvmType,
                         const std::string& executableName, const std::string& jvmDirectory);
    /// true when the entries were written.
    bool _configureWinJvm(const std::string& jvmVersion, const std::string& jvmType,
                          const std::string& executableName, const std::string& jvmDirectory);
    /// true when the runtime's version key exists or was created.
    bool configureJre(const std::string& familyVersion, const std::string& microVersion, const std::string& home,
                      const std::string& executableName);
    /// Registers the key <family>.<micro> too; always true.
    bool configureJava2(const std::string& familyVersion, const std::string& microVersion, const std::string& home,
                        const std::string& executableName);
    /// Copies the launcher programs into the Windows directory when the runtime is the
    /// registry's current version; always true.
    bool copyJreFilesToHome(const std::string& familyVersion, const std::string& home,
                            const std::string& executableName);
    /// true when the destination exists or was copied; an existing one is never replaced.
    bool copyJvmFile(const std::string& source, const std::string& destination);
    /// true when baseKey\versionKey exists or was created; its values are written unless a
    /// "MicroVersion" is already there.
    bool addJvmToRegistry(const std::string& baseKey, const std::string& valueName, const std::string& versionKey,
                          const std::string& microVersion, const std::string& home);
    /// Opens or creates the base key and gives it a "CurrentVersion" when it has none.
    void addJvmTopLevelKey(const std::string& baseKey, const std::string& versionKey);
    /// Sets the value unless it has a non-empty text already; always true.
    bool addValueToRegistry(const platform::RegKey& key, const std::string& name, const std::string& value);
    /// true when the subkey is open for writing in key (opened, else created); the caller closes it.
    bool addToRegistry(platform::RegRoot root, const std::string& path, platform::RegKey& key);

private:
    /// Runs the expander inside directory and comes back to the current directory.
    bool expand(const std::string& selfExtractor, const std::string& directory);

    std::string homeDirectory;
    platform::WindowHandle hwnd = nullptr;
    PayloadIntegrity integrity{"sha256JvmSelfExtractor"};
    bool installed = false;
    bool foundExisting = false;
};
