#include "provision/runjvminstaller.h"

#include <cstring>

#include "control/configreg.h"
#include "exec/clib.h"
#include "exec/execcmd.h"
#include "exec/strutil.h"
#include "discovery/extjvmsearch.h"
#include "discovery/findjvm.h"
#include "provision/jvminstaller.h"
#include "discovery/jvmok.h"
#include "platform/files.h"

namespace {

constexpr const char* DIR_END = "\\";
constexpr const char* AllEntries = "*.*";

bool isDotEntry(const std::string& name)
{
    return equalsIgnoringCase(name, ".") || equalsIgnoringCase(name, "..");
}

} // namespace

std::size_t getStartNextArg(std::size_t position)
{
    return position == std::string::npos ? position : position + std::strlen(ArgSeparator);
}

InstallerCommand splitInstallerCommand(const std::string& commandLine)
{
    InstallerCommand command;
    std::size_t separator = commandLine.find(ArgSeparator);
    command.program = commandLine.substr(0, separator);
    command.args.push_back(fileNamePart(command.program));
    // Each argument runs from just after one separator to the next one (or the end).
    for (std::size_t start = getStartNextArg(separator); start != std::string::npos;) {
        separator = commandLine.find(ArgSeparator, start);
        command.args.push_back(commandLine.substr(start, separator == std::string::npos ? separator : separator - start));
        start = getStartNextArg(separator);
    }
    // A line that ends with a separator hands over one empty piece, which is no argument.
    command.argumentCount = command.args.size() - 1;
    if (command.argumentCount == 1 && command.args.back().empty())
        command.argumentCount = 0;
    return command;
}

bool RunJvmInstaller::run(const std::string& required, const std::string& minimum, const std::string& maximum,
                          const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                          const std::string& installerBinary, const std::string& installerCommand,
                          std::string& jvmPath, const std::string& homeDirectory)
{
    showStatus(1u);
    this->homeDirectory = homeDirectory.substr(0, MaxPathLength);
    limitMinimum = minimum;
    limitMaximum = maximum;

    std::string currentDir;
    getCurrentDir(currentDir);
    std::string jvmDirectory;
    JvmInstaller installer;
    installer.setHomeDirectory(this->homeDirectory);
    // The installer is copied from here: a "jvm" tree holding it must survive the selection.
    installer.setPayloadProgram(currentDir + DIR_END + installerBinary);
    bool ok = installer.createJvmDirectory(required, minimum, maximum, jvmVersion, jvmType, commandName, "",
                                           jvmDirectory, jvmPath);
    traceMessage(TraceFilename, "jvmDirName: ", jvmDirectory);
    discovered = installer.isJvmDiscovered();
    traceMessage(TraceFilename, "found existing jvm directory", discovered);

    if (ok && discovered) {
        JvmOk jvmOk;
        if (!jvmOk.jvmCorrectVersion(required, minimum, maximum, jvmDirectory, commandName, jvmPath))
            discovered = false;
    }
    if (ok && !discovered)
        ok = installJvm(jvmVersion, jvmType, commandName, installerBinary, installerCommand, jvmDirectory, jvmPath);
    traceMessage(TraceFilename, "jvmFullname:", jvmPath);
    traceMessage(TraceFilename, "runJvmInstaller ok", ok);
    return ok;
}

bool RunJvmInstaller::installJvm(const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                                 const std::string& installerBinary, const std::string& installerCommand,
                                 const std::string& jvmDirectory, std::string& jvmPath)
{
    bool ok = copyInstaller(installerBinary, jvmDirectory);
    if (ok) {
        // The copy is what runs: it is checked, and held unchanged until it has run.
        ok = integrity.verify(jvmDirectory + DIR_END + installerBinary) && runInstaller(installerCommand, jvmDirectory);
        integrity.release();
        removeInstaller(installerBinary, jvmDirectory);
    }
    // The vendor's installer provides jvmVersion exactly. Without one (the control file gave
    // only a range) the range still holds: not any JVM at all will do.
    if (ok) {
        const bool exact = !jvmVersion.empty();
        const std::string minimum = exact ? "" : limitMinimum;
        const std::string maximum = exact ? "" : limitMaximum;
        ok = jvmInNewDir(jvmVersion, minimum, maximum, jvmDirectory, commandName, jvmPath) ||
             findInstalledJvm(jvmVersion, minimum, maximum, jvmType, commandName, jvmPath);
    }
    removeEmptyDir(jvmDirectory);
    return ok;
}

bool RunJvmInstaller::copyInstaller(const std::string& installerBinary, const std::string& jvmDirectory)
{
    std::string currentDir;
    getCurrentDir(currentDir);
    const std::string source = currentDir + DIR_END + installerBinary;
    const std::string destination = jvmDirectory + DIR_END + installerBinary;
    traceMessage(TraceFilename, "copied installer from: ", source);
    traceMessage(TraceFilename, std::string(19, ' ') + "to: ", destination);
    bool copied = copyFile(source, destination);
    traceMessage(TraceFilename, "copy ok", copied);
    return copied;
}

bool RunJvmInstaller::runInstaller(const std::string& installerCommand, const std::string& jvmDirectory)
{
    if (installerCommand.empty()) {
        traceMessage(TraceFilename, "no jvm installer command line");
        return false;
    }
    InstallerCommand command = splitInstallerCommand(installerCommand);
    for (const std::string& arg : command.args)
        traceMessage(TraceFilename, "arg:", arg);
    traceMessage(TraceFilename, "# of args", static_cast<int>(command.argumentCount));
    traceMessage(TraceFilename, "command:", command.program);
    bool ran = executeInstaller(command.program, command.args, jvmDirectory);

    traceMessage(TraceFilename, "freeing all args");
    for (std::size_t i = command.args.size(); i-- > 0;)
        traceMessage(TraceFilename, "freeing arg", static_cast<int>(i));
    traceMessage(TraceFilename, "freeing args");
    traceMessage(TraceFilename, "freed args");
    traceMessage(TraceFilename, "freeing filename");
    traceMessage(TraceFilename, "freed filename");
    return ran;
}

bool RunJvmInstaller::executeInstaller(const std::string& program, const std::vector<std::string>& args,
                                       const std::string& jvmDirectory)
{
    std::string currentDir;
    getCurrentDir(currentDir);
    // The installer runs elsewhere: every log is named in full.
    const std::string errorsFile = currentDir + DIR_END + ErrorsFilename;
    const std::string traceFile = currentDir + DIR_END + TraceFilename;
    ExecCommand exec;
    exec.setErrorsFilename(errorsFile);
    exec.setTraceFilename(traceFile);
    traceMessage(TraceFilename, "jvm installer command:", program);

    std::string errorText;
    int exitCode = 0;
    bool ran = platform::chDir(jvmDirectory);
    if (ran)
        ran = exec.spawnAndWait(program, args, errorText, exitCode);
    else
        errorText = "unable to change to " + jvmDirectory;
    platform::chDir(currentDir);

    if (ran) {
        traceMessage(TraceFilename, "third party jvm installer ran with no reported errors");
        // Only traced: whether the installer worked is told by the JVM found afterwards.
        traceMessage(TraceFilename, "jvm installer exit code", exitCode);
        return true;
    }
    logAndTraceMessage(ErrorsFilename, TraceFilename, "Error running JVM installer: " + errorText, false);
    logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to start " + program + " " + ExecCommand::argsString(args));
    return false;
}

void RunJvmInstaller::removeInstaller(const std::string& installerBinary, const std::string& jvmDirectory)
{
    platform::removeFile(jvmDirectory + DIR_END + installerBinary);
    traceMessage(TraceFilename, "jvm installer removed");
}

bool RunJvmInstaller::jvmInNewDir(const std::string& required, const std::string& minimum,
                                  const std::string& maximum, const std::string& jvmDirectory,
                                  std::string& commandName, std::string& jvmPath)
{
    platform::DirEnum entries;
    platform::DirEntry entry;
    bool found = false;
    for (bool more = entries.first(jvmDirectory + DIR_END + AllEntries, entry); more && !found;
         more = entries.next(entry)) {
        if (isDotEntry(entry.name))
            continue;
        const std::string candidate = jvmDirectory + DIR_END + entry.name;
        traceMessage(TraceFilename, "looking for jvm in:", candidate);
        JvmOk jvmOk;
        found = jvmOk.jvmCorrectVersion(required, minimum, maximum, candidate, commandName, jvmPath);
    }
    entries.close();
    return found;
}

bool RunJvmInstaller::findInstalledJvm(const std::string& required, const std::string& minimum,
                                       const std::string& maximum, const std::string& jvmType,
                                       std::string& commandName, std::string& jvmPath)
{
    showStatus("Searching for JVM again");
    FindJvm finder;
    finder.setHwnd(hwnd);
    // Today's vendor installers record their JVM outside the old JavaSoft keys.
    bool found = finder.isJvmInstalled(required, minimum, maximum, jvmType, commandName, jvmPath) ||
                 findExtendedJvm(required, minimum, maximum, jvmType, commandName, jvmPath);
    if (found)
        traceMessage(TraceFilename, "Found correct version of JVM:", jvmPath);
    else
        traceMessage(TraceFilename, "Correct version of JVM was not found in common locations");
    return found;
}

void RunJvmInstaller::removeEmptyDir(const std::string& jvmDirectory)
{
    platform::DirEnum entries;
    platform::DirEntry entry;
    if (!entries.first(jvmDirectory + DIR_END + AllEntries, entry))
        return;
    bool empty = true;
    do {
        empty = isDotEntry(entry.name);
    } while (empty && entries.next(entry));
    entries.close();
    if (empty && platform::removeDir(jvmDirectory))
        traceMessage(TraceFilename, "removed:", jvmDirectory);
}

bool RunJvmInstaller::configureWinReg()
{
    return configureWinRegistry("configWinReg in runjvminstaller");
}
