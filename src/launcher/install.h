// One install run: environment, control file, JVM search or provisioning, wizard, clean-up.
#pragma once

#include <string>
#include <vector>

#include "control/getparam.h"
#include "diag/status.h"
#include "diag/trace.h"

/// Carries one whole run of the launcher on the worker thread.
class Install : public Trace, public Status {
public:
    /// The whole run; true on success. details is the properties argument of the command line.
    bool install(bool quiet, bool properties, const std::string& details);

    // Environment.
    /// Creates "jinstall.log" and "jinstall.sem" when the user did not ask for tracing, learns the
    /// system family and the Windows directory; true when that worked.
    bool getEnvironmentSetup();
    /// Sets winNtFamily; always true.
    bool getWinEnvironmentSetup();
    /// Fills homeDirectory with the Windows directory (registry, search path, c:\winnt or
    /// c:\windows, else the current directory); false when even that is empty.
    bool getHomeDirectory();
    /// true and the lowercased search-path entry that ends with name and exists.
    bool isDirInPath(const std::string& name, std::string& destination);

    /// true when the control file was read into control.
    bool getParams();
    /// true when a suitable installed JVM was found (jvmPath, javaHomeDir, "native.properties").
    bool isJvmInstalled();
    /// The "configureWinRegistry" answer, traced as this class's reader.
    bool configureWinReg();
    /// The home directory of the JVM in jvmPath.
    void getJavaHomeDir(std::string& destination);
    /// Writes "native.properties" for the wizard.
    void logJvmLocation(bool installed, const std::string& installDir, bool configureRegistry);

    // Status messages (trace only; nothing in quiet or properties runs).
    void showStatusMessage(unsigned id);

    // The wizard.
    /// true when the wizard started properly (the handshake file appeared).
    bool runJavaInstaller(const std::string& details);
    bool runInstaller(const std::string& details);
    /// Number of vector slots the wizard command needs, program and terminator excluded.
    unsigned countParameters(const std::string& details);
    bool _runInstaller(const std::vector<std::string>& arguments);

    // Provisioning of a missing JVM.
    /// true when a JVM was provided; else errorMessage and errorDetails say why.
    bool installTheJvm();
    /// true when the compressed JVM was installed (or a suitable one reused).
    bool installJvmBundle(const std::string& description);
    /// true when the vendor's installer provided a JVM.
    bool installJvmInstaller(const std::string& description);
    /// As ExtractJvm::extractJvm; records the JVM and installs the security files into a new one.
    bool extractJvm();
    /// As RunJvmInstaller::run; records the JVM.
    bool runThirdPartyInstaller();
    /// The common steps of both ways: the file of the way must exist, then the way runs;
    /// errorMessage and errorDetails say why on false.
    bool _installJvm(const std::string& description, const std::string& file, bool (Install::*way)());
    /// Installs the control file's security files into the JVM in javaHomeDir; replace backs up
    /// and replaces existing files. Always true: a missing security file does not stop the run.
    bool addSecurity(bool replace);

    // Clean-up.
    void cleanUp(bool ok);
    void cleanUpManifest(bool ok);
    void cleanUpJvmDir();
    /// true and in tree the resolved tree to delete, when the directory that "native.properties"
    /// names may go: the guard lets it, and it is the JVM home or holds it, and that home holds
    /// a Java executable in bin. Otherwise false, with a trace line.
    bool _tempJvmTree(const std::string& dir, const std::string& jvmHome, std::string& tree);
    void cleanUpErrorsLog();
    void cleanUpLogFiles();
    void _cleanUpLogFiles(const std::string& directory);
    /// true when no file can be written in the directory (an empty name counts as protected).
    bool isDirWriteProtected(const std::string& directory);
    /// The result of delDirTree on the directory.
    bool removeDirAndSubdirs(const std::string& directory);

    bool winNtFamily = false;
    ControlValues control;
    std::string jvmPath;
    std::string javaHomeDir;
    std::string errorMessage;
    std::string errorDetails;
    std::string homeDirectory;
    bool quietInstall = false;
    bool propertiesInstall = false;

private:
    bool jvmFromSearch = false;
    bool packageDamaged = false; // the last provisioning refused a payload program as not the one shipped
};

/// "native.properties": the record for the Java wizard.
inline constexpr const char* NativePropertiesFilename = "native.properties";
