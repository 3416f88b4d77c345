#include "launcher/install.h"

#include <cstdio>

#include "control/configreg.h"
#include "control/extsearchkey.h"
#include "exec/clib.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "discovery/extjvmsearch.h"
#include "discovery/findjvm.h"
#include "discovery/jvmversion.h"
#include "discovery/sysdirs.h"
#include "discovery/winvers.h"
#include "launcher/entry.h"
#include "launcher/errortexts.h"
#include "launcher/nativeprops.h"
#include "platform/files.h"
#include "platform/ui.h"

namespace {

constexpr std::size_t RegistryValueSize = 5001;
constexpr std::size_t SearchPathCopySize = 5000;

void touchFile(const char* name)
{
    if (std::FILE* file = platform::openFile(name, "at"))
        std::fclose(file);
}

} // namespace

bool Install::install(bool quiet, bool properties, const std::string& details)
{
    traceMessage(TraceFilename, "");
    traceMessage(TraceFilename, "Preparing Java install wizard");
    quietInstall = quiet;
    traceMessage(TraceFilename, "Quite install", quietInstall);
    propertiesInstall = properties;
    traceMessage(TraceFilename, "Properties install", propertiesInstall);
    if (quietInstall || propertiesInstall) {
        setQuietMode(true);
        traceMessage(TraceFilename, "set status quite");
    } else {
        showStatusMessage(1);
    }

    bool ready = getEnvironmentSetup();
    errorMessage.clear();
    errorDetails.clear();
    bool succeeded = false;
    if (!ready) {
        // the generic failure below
    } else if (!getParams()) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "unable to get parameters");
    } else {
        bool haveJvm = isJvmInstalled();
        jvmFromSearch = haveJvm;
        if (!haveJvm)
            haveJvm = installTheJvm();
        if (haveJvm) {
            showStatusMessage(2);
            succeeded = runJavaInstaller(details);
            // One more try with a freshly installed JVM, only when the first came from the search.
            if (!succeeded && jvmFromSearch) {
                showStatusMessage(4);
                if (installTheJvm()) {
                    showStatusMessage(5);
                    succeeded = runJavaInstaller(details);
                }
            }
            if (!succeeded) {
                errorMessage = WizardText;
                errorDetails = std::string(OtherCausesText) + "\n" + DiskSpaceText;
            }
        }
    }

    if (succeeded) {
        cleanUp(true);
        if (!showDialogFilename.empty())
            platform::removeFile(showDialogFilename);
        return true;
    }
    if (errorMessage.empty())
        errorMessage = std::string("Unable to install application.\r\r") + DiskSpaceText;
    if (errorDetails.empty())
        errorDetails = OtherCausesText;
    logAndTraceMessage(ErrorsFilename, TraceFilename, errorMessage);
    logAndTraceMessage(ErrorsFilename, TraceFilename, errorDetails);
    showError(errorMessage, errorDetails);
    cleanUp(false);
    if (!showDialogFilename.empty())
        platform::removeFile(showDialogFilename);
    return false;
}

bool Install::getEnvironmentSetup()
{
    if (!fexists(TraceFilename)) {
        // Tracing on for this run only; the marker tells that the user did not ask for it.
        touchFile(TraceFilename);
        touchFile(TempTraceFilename);
    }
    if (!getWinEnvironmentSetup()) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "unable to configure environment");
        return false;
    }
    getHomeDirectory();
    // An outer stage that wrote the start directory in a code page without its characters left
    // '?' (never part of a name) for them: the logs could not reach it, nor the clean-up judge it.
    std::string startDir;
    getStartDir(startDir);
    const std::size_t prefix = beginsWith(startDir, "\\\\?\\") ? 4 : 0; // the long form \\?\C:\...
    if (startDir.find('?', prefix) != std::string::npos) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "start directory with characters the system lost:",
                           startDir);
        return false;
    }
    return true;
}

bool Install::getWinEnvironmentSetup()
{
    WinVersion version;
    winNtFamily = version.winNT();
    return true;
}

bool Install::getHomeDirectory()
{
    homeDirectory.clear();
    if (winNtFamily) {
        for (const WindowsDirSource& source : NtWindowsDirSources) {
            homeDirectory = readMachineValue(source.key, source.value, RegistryValueSize);
            if (!homeDirectory.empty()) {
                traceMessage(TraceFilename, source.trace);
                break;
            }
        }
    } else {
        homeDirectory = readMachineValue(OldWindowsDirSource.key, OldWindowsDirSource.value, RegistryValueSize);
    }
    if (!homeDirectory.empty()) {
        traceMessage(TraceFilename, "home directory", homeDirectory);
        return true;
    }

    traceMessage(TraceFilename, "unable to get windows directory from registry");
    if (isDirInPath(winNtFamily ? "winnt" : "windows", homeDirectory)) {
        traceMessage(TraceFilename, "home directory", homeDirectory);
        return true;
    }
    std::string fallback = winNtFamily ? "c:\\winnt" : "c:\\windows";
    if (fexists(fallback)) {
        homeDirectory = fallback;
        traceMessage(TraceFilename, "home directory", homeDirectory);
        return true;
    }
    getCurrentDir(homeDirectory);
    traceMessage(TraceFilename, "unable to get windows directory");
    if (homeDirectory.empty())
        return false;
    traceMessage(TraceFilename, "home directory", homeDirectory);
    return true;
}

bool Install::isDirInPath(const std::string& name, std::string& destination)
{
    std::optional<std::string> path = getPathPtr();
    if (!path)
        return false;
    std::string lowerName = toLower(name);
    std::string lowerPath = toLower(path->substr(0, SearchPathCopySize - 1));
    std::string::size_type start = 0;
    while (start <= lowerPath.size()) {
        auto end = lowerPath.find(';', start);
        if (end == std::string::npos)
            end = lowerPath.size();
        std::string entry = lowerPath.substr(start, end - start);
        start = end + 1;
        if (entry.empty())
            continue;
        auto found = entry.find(lowerName);
        if (found != std::string::npos && found + lowerName.size() == entry.size() && fexists(entry)) {
            destination = entry;
            return true;
        }
    }
    return false;
}

bool Install::getParams()
{
    GetParameters parameters;
    parameters.setHwnd(platform::hDlgMain.load());
    return parameters.getParameters(control);
}

bool Install::isJvmInstalled()
{
    if (equalsIgnoringCase(control.searchForJvm, "no") || equalsIgnoringCase(control.searchForJvm, "none")) {
        traceMessage(TraceFilename, "Search for JVM:", control.searchForJvm);
        return false;
    }
    FindJvm finder;
    finder.setHwnd(platform::hDlgMain.load());
    showStatusMessage(3);
    bool found = finder.isJvmInstalled(control.jvmRequiredVersion, control.jvmMinVersion, control.jvmMaxVersion,
                                       control.jvmName, control.jvmCommandName, jvmPath);
    if (!found) {
        ExtendedJvmSearch extended;
        found = extended.isJvmInstalled(extendedJvmSearchValue(control.extendedJvmSearch), control.jvmRequiredVersion,
                                        control.jvmMinVersion, control.jvmMaxVersion, control.jvmName,
                                        control.jvmCommandName, jvmPath);
    }
    if (found) {
        traceMessage(TraceFilename, "Found correct version of JVM:", jvmPath);
        getJavaHomeDir(javaHomeDir);
        bool configure = configureWinReg();
        traceMessage(TraceFilename, "configWinReg in isJvmInstalled", configure);
        logJvmLocation(false, "", configure);
    } else {
        traceMessage(TraceFilename, "Correct version of JVM was not found in common locations");
    }
    return found;
}

bool Install::configureWinReg()
{
    return configureWinRegistry("configWinReg in installer");
}

void Install::getJavaHomeDir(std::string& destination)
{
    getJavaHomeDirectory(jvmPath, destination);
    traceMessage(TraceFilename, "jvm home dir", destination);
}

void Install::logJvmLocation(bool installed, const std::string& installDir, bool configureRegistry)
{
    std::FILE* out = platform::openFile(NativePropertiesFilename, "wt");
    if (out == nullptr)
        return;
    std::string text = nativePropertiesText(javaHomeDir, installed, installDir, configureRegistry);
    std::fputs(text.c_str(), out);
    std::fclose(out);
}
