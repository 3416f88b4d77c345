// Providing a missing JVM: the payload's compressed JVM or the vendor's installer, as the
// control file chooses; the outcome recorded for the wizard.
#include "launcher/provision.h"

#include "control/jvmarchkey.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "provision/extractjvm.h"
#include "provision/runjvminstaller.h"
#include "launcher/errortexts.h"
#include "launcher/install.h"
#include "platform/ui.h"

namespace {

constexpr const char* PluginType = "Java Plug-in";
constexpr const char* MemoryModel = "x64";

} // namespace

std::string versionDescription(const std::string& required, const std::string& minimum, const std::string& maximum)
{
    if (!required.empty())
        return required;
    if (!maximum.empty())
        return minimum + " - " + maximum;
    return minimum + " or a later version";
}

ProvisionWay provisionWay(const std::string& jvmInstallerType)
{
    if (equalsIgnoringCase(jvmInstallerType, SelfExtratorJvmInstaller))
        return ProvisionWay::Bundle;
    if (equalsIgnoringCase(jvmInstallerType, ThirdPartyJvmInstaller))
        return ProvisionWay::VendorInstaller;
    return ProvisionWay::None;
}

bool Install::installTheJvm()
{
    // A run held to one kind of JVM says so wherever its texts name the version it needs.
    const std::string description =
        versionDescription(control.jvmRequiredVersion, control.jvmMinVersion, control.jvmMaxVersion) +
        architectureSuffix(control.jvmArchitecture);
    switch (provisionWay(control.jvmInstallerType)) {
    case ProvisionWay::Bundle: return installJvmBundle(description);
    case ProvisionWay::VendorInstaller: return installJvmInstaller(description);
    case ProvisionWay::None: break;
    }
    errorMessage = "The correct version of the " + control.jvmName + " was not found on your system.";
    errorDetails = "Please install the correct " + control.jvmName + ". You need version " + description + ", " +
                   MemoryModel + " memory model. Then restart this installation program.";
    return false;
}

bool Install::installJvmBundle(const std::string& description)
{
    return _installJvm(description, control.jvmSelfExtractor, &Install::extractJvm);
}

bool Install::installJvmInstaller(const std::string& description)
{
    return _installJvm(description, control.jvmInstallerBinary, &Install::runThirdPartyInstaller);
}

bool Install::_installJvm(const std::string& description, const std::string& file, bool (Install::*way)())
{
    if (file.empty()) {
        errorMessage = "The correct version of the " + control.jvmName + " was not found on your system.";
        errorDetails = "Please install " + control.jvmName + " " + description +
                       " and then restart this installation program.";
        return false;
    }
    if (!fexists(file)) {
        errorMessage = "Unable to find " + control.jvmName + " " + description + " on your system.";
        errorDetails = "Please install the JVM and re-start this installer.";
        return false;
    }
    showStatusMessage(4);
    traceMessage(TraceFilename, "attempting to install jvm", control.jvmVersion);
    packageDamaged = false;
    if ((this->*way)())
        return true;
    if (packageDamaged) {
        errorMessage = DamagedPackageText;
        errorDetails = file + " is not the file the package was made with (see errors.log).";
        return false;
    }
    errorMessage = "Unable to install " + control.jvmName + " " + control.jvmVersion +
                   architectureSuffix(control.jvmArchitecture) + ". " + DiskSpaceText;
    errorDetails = OtherCausesText;
    return false;
}

bool Install::extractJvm()
{
    ExtractJvm extractor;
    extractor.setHwnd(platform::hDlgMain.load());
    extractor.setExpanderSha256(control.sha256JvmSelfExtractor);
    const bool configure = extractor.configureWinReg();
    traceMessage(TraceFilename, "configWinReg in extractJvm", configure);
    bool ok = extractor.extractJvm(control.jvmRequiredVersion, control.jvmMinVersion, control.jvmMaxVersion,
                                   control.jvmVersion, control.jvmName, control.jvmCommandName,
                                   control.jvmSelfExtractor, control.predefinedJvmInstallDir, control.jvmHomeDir,
                                   jvmPath, homeDirectory);
    packageDamaged = extractor.isPackageDamaged();
    if (ok) {
        // A reused JVM is named too: the wizard looks for the JVM where this line says.
        getJavaHomeDir(javaHomeDir);
        const bool installed = extractor.isJvmInstalled();
        logJvmLocation(installed, control.predefinedJvmInstallDir, configure);
        if (installed)
            addSecurity(equalsIgnoringCase(control.jvmName, PluginType));
    }
    return ok;
}

bool Install::runThirdPartyInstaller()
{
    RunJvmInstaller installer;
    installer.setHwnd(platform::hDlgMain.load());
    installer.setInstallerSha256(control.sha256JvmInstallerBinary);
    bool ok = installer.run(control.jvmRequiredVersion, control.jvmMinVersion, control.jvmMaxVersion,
                            control.jvmVersion, control.jvmName, control.jvmCommandName, control.jvmInstallerBinary,
                            control.jvmInstallerCommand, jvmPath, homeDirectory);
    packageDamaged = installer.isPackageDamaged();
    if (ok) {
        // The vendor's JVM is the vendor's: the clean-up must never take it for a temporary one.
        control.predefinedJvmInstallDir.clear();
        const bool configure = installer.configureWinReg();
        traceMessage(TraceFilename, "configWinReg in runThirdPartyInstaller", configure);
        getJavaHomeDir(javaHomeDir);
        logJvmLocation(false, control.predefinedJvmInstallDir, configure);
    }
    return ok;
}
