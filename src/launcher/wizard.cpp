// Starting the Java install wizard and judging its start by the handshake file.
#include "exec/execcmd.h"
#include "exec/fexists.h"
#include "launcher/entry.h"
#include "launcher/install.h"
#include "launcher/wizardargs.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {
constexpr const char* InstallJar = "install.jar";
constexpr const char* WizardStartedFilename = "__qbxwizard.sem";
} // namespace

bool Install::runJavaInstaller(const std::string& details)
{
    return runInstaller(details);
}

unsigned Install::countParameters(const std::string& details)
{
    auto words = [](const std::string& text) {
        return static_cast<unsigned>(blankWords(text).size());
    };
    unsigned count = words(control.loaderJavaCommand) + words(control.jvmExtraParameters) + 5;
    if ((quietInstall || propertiesInstall) && !details.empty())
        count += 2;
    traceMessage(TraceFilename, "parameters", static_cast<int>(count));
    return count;
}

bool Install::runInstaller(const std::string& details)
{
    countParameters(details);
    WizardCommand command{jvmPath, control.jvmExtraParameters, control.jvmClasspathSwitch, control.loaderClasspath,
                          control.loaderJavaCommand, quietInstall, propertiesInstall, details};
    std::vector<std::string> arguments = wizardArguments(command);
    traceMessage(TraceFilename, "first arg:", arguments.front());
    if (!control.jvmExtraParameters.empty())
        traceMessage(TraceFilename, "install switches:", control.jvmExtraParameters);
    traceMessage(TraceFilename, "class path switch:", control.jvmClasspathSwitch);
    traceMessage(TraceFilename, "classpath:", control.loaderClasspath);
    std::vector<std::string> parameters = blankWords(control.loaderJavaCommand);
    traceMessage(TraceFilename, "install parameters:", parameters.empty() ? std::string() : parameters.back());
    if ((quietInstall || propertiesInstall) && !details.empty()) {
        traceMessage(TraceFilename, "install details:", details);
        traceMessage(TraceFilename, "added", arguments[arguments.size() - 2]);
        traceMessage(TraceFilename, "details:", arguments.back());
    }

    if (control.loaderClasspath.find(InstallJar) != std::string::npos && !fexists(InstallJar)) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "install.jar does not exist.");
        return false;
    }
    return _runInstaller(arguments);
}

bool Install::_runInstaller(const std::vector<std::string>& arguments)
{
    std::string program = jvmPath;
    traceMessage(TraceFilename, "launching java installer");
    // The wizard must not inherit a class path of the user's.
    platform::putEnv("CLASSPATH=");
    ExecCommand exec;
    std::string errorText;
    // The status window goes away while the wizard shows its own.
    if (!showDialogFilename.empty())
        platform::removeFile(showDialogFilename);
    int exitCode = 0;
    if (!exec.spawnAndWait(program, arguments, errorText, exitCode)) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to start ",
                           program + " " + ExecCommand::argsString(arguments));
        logAndTraceMessage(ErrorsFilename, TraceFilename, "Error running JVM installer: " + errorText, false);
        return false;
    }
    traceMessage(TraceFilename, "java wizard spawned without reported errors");
    // Only traced: whether the wizard really ran is told by its handshake file.
    traceMessage(TraceFilename, "java wizard exit code", exitCode);
    if (fexists(WizardStartedFilename)) {
        platform::removeFile(WizardStartedFilename);
        traceMessage(TraceFilename, "Java wizard launched successfully");
        return true;
    }
    logAndTraceMessage(ErrorsFilename, TraceFilename, "Java wizard not started properly");
    return false;
}
