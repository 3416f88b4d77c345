#include "provision/extractjvm.h"

#include <optional>

#include "exec/clib.h"
#include "exec/execcmd.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "provision/jvminstaller.h"
#include "discovery/jvmok.h"
#include "platform/files.h"
#include "platform/system.h"

namespace {

constexpr const char* TempLogFname = "__temp.log";
constexpr const char* AppDirVariable = "[$AppDir]";
constexpr const char* NewJreFilename = "java";
constexpr const char* OldJreFilename = "jre";
constexpr const char* BinDir = "bin";
constexpr const char* DIR_END = "\\";
constexpr const char* SubdirectoryPrefix = "./";

bool hasBlank(const std::string& text)
{
    return text.find(' ') != std::string::npos;
}

// The expander's path: "jvm/setup.exe" names setup.exe in the current directory (only the part
// after the last "/" counts), "jvm\setup.exe" names it in the subdirectory jvm.
std::string expanderPath(const std::string& selfExtractor, const std::string& currentDir)
{
    std::size_t slash = selfExtractor.rfind('/');
    return currentDir + DIR_END + (slash == std::string::npos ? selfExtractor : selfExtractor.substr(slash + 1));
}

} // namespace

bool ExtractJvm::extractJvm(const std::string& required, const std::string& minimum, const std::string& maximum,
                            const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                            const std::string& selfExtractor, const std::string& predefinedDir,
                            const std::string& jvmHomeDir, std::string& jvmPath, const std::string& homeDirectory)
{
    showStatus(1u);
    std::string directory;
    bool ok = installCompressedJvm(required, minimum, maximum, jvmVersion, jvmType, commandName, selfExtractor,
                                   predefinedDir, jvmHomeDir, jvmPath, homeDirectory, directory);
    if (ok) {
        JvmOk jvmOk;
        ok = jvmOk.jvmCorrectVersion(required, minimum, maximum, directory, commandName, jvmPath);
        if (ok && !foundExisting)
            installed = true;
    }
    traceMessage(TraceFilename, "extractJvm ok", ok);
    return ok;
}

bool ExtractJvm::installCompressedJvm(const std::string& required, const std::string& minimum,
                                      const std::string& maximum, const std::string& jvmVersion,
                                      const std::string& jvmType, std::string& commandName,
                                      const std::string& selfExtractor, const std::string& predefinedDir,
                                      const std::string& jvmHomeDir, std::string& jvmPath,
                                      const std::string& homeDirectory, std::string& directory)
{
    showStatus(1u);
    this->homeDirectory = homeDirectory.substr(0, MaxPathLength);

    std::string currentDir;
    getCurrentDir(currentDir);
    JvmInstaller installer;
    installer.setHomeDirectory(this->homeDirectory);
    installer.setPayloadProgram(expanderPath(selfExtractor, currentDir));
    installer.setJvmHomeSubdirectory(jvmHomeDir);
    bool chosen = installer.createJvmDirectory(required, minimum, maximum, jvmVersion, jvmType, commandName,
                                               predefinedDir, directory, jvmPath);
    foundExisting = installer.isJvmDiscovered();
    traceMessage(TraceFilename, "found existing jvm directory", foundExisting);
    if (!chosen) {
        traceMessage(TraceFilename, "installCompressedJvm ok", false);
        return false;
    }
    if (!foundExisting && !expand(selfExtractor, directory))
        return false;

    if (!jvmHomeDir.empty()) {
        if (beginsWith(jvmHomeDir, SubdirectoryPrefix))
            directory += jvmHomeDir.substr(1);
        else
            directory = jvmHomeDir;
    }
    for (char& c : directory)
        if (c == '/')
            c = '\\';
    traceMessage(TraceFilename, "final jvm install directory:", directory);
    if (directory.size() > MaxPathLength) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "JVM directory longer than 5000 characters", directory);
        traceMessage(TraceFilename, "installCompressedJvm ok", false);
        return false;
    }

    // A JVM in the launcher's own temporary "jvm" directory goes away with it: never register it.
    bool registerJvm = predefinedDir.find(AppDirVariable) == std::string::npos;
    bool ok = configureJvm(jvmVersion, jvmType, commandName, directory, homeDirectory, registerJvm);
    traceMessage(TraceFilename, "installCompressedJvm ok", ok);
    return ok;
}

bool ExtractJvm::expand(const std::string& selfExtractor, const std::string& directory)
{
    traceMessage(TraceFilename, "installing jvm in", directory);
    std::string currentDir;
    getCurrentDir(currentDir);
    traceMessage(TraceFilename, "current directory", currentDir);
    // While the expander runs the current directory is elsewhere: every log is named in full.
    const std::string errorsFile = currentDir + DIR_END + ErrorsFilename;
    const std::string traceFile = currentDir + DIR_END + TraceFilename;
    const std::string tempLog = currentDir + DIR_END + TempLogFname;
    ExecCommand exec;
    exec.setErrorsFilename(errorsFile);
    exec.setTraceFilename(traceFile);

    std::string command;
    // Checked, and held unchanged until it has run.
    bool ran = getJvmInstallerCommand(selfExtractor, command, currentDir) &&
               integrity.verify(expanderPath(selfExtractor, currentDir));
    std::string now;
    // An expander that cannot run inside the target would fill the working directory instead.
    if (ran)
        ran = platform::chDir(directory);
    if (ran) {
        getCurrentDir(now);
        traceMessage(traceFile, "current directory changed to: ", now);
        ran = exec.execCommand(command, std::nullopt, 0);
    }
    integrity.release();
    traceMessage(traceFile, "installed jvm", ran);
    platform::chDir(currentDir);
    getCurrentDir(now);
    traceMessage(traceFile, "current directory after changing dir to: ", now);

    if (ran)
        traceMessage(traceFile, "issued command to expand:", command);
    else
        traceMessage(traceFile, "unable to expand", command);
    platform::removeFile(tempLog);
    if (!ran)
        traceMessage(traceFile, "installCompressedJvm ok", false);
    return ran;
}

bool ExtractJvm::getJvmInstallerCommand(const std::string& selfExtractor, std::string& command,
                                        const std::string& currentDir)
{
    command = expanderPath(selfExtractor, currentDir);
    if (hasBlank(command)) {
        std::string shortName, fullName;
        if (platform::shortPathName(command, shortName, MaxPathLength)) {
            if (!hasBlank(shortName))
                command = shortName;
            else if (platform::fullPathName(command, fullName, MaxPathLength))
                command = fullName;
        }
    }
    bool exists = fexists(command);
    traceMessage(TraceFilename, exists ? "Compressed JVM file exists: " : "Compressed JVM does *not* exist: ",
                 command);
    if (hasBlank(command))
        command = "\"" + command + "\"";
    return exists;
}

bool ExtractJvm::configureJvm(const std::string& jvmVersion, const std::string& jvmType, std::string& commandName,
                              const std::string& jvmDirectory, const std::string& homeDirectory,
                              bool configureRegistry)
{
    showStatus(1u);
    traceMessage(TraceFilename, "about to configure jvm", jvmVersion);
    if (this->homeDirectory.empty())
        this->homeDirectory = homeDirectory.substr(0, MaxPathLength);

    // Old runtimes' names (jre.exe) are also looked for as the new launcher, windowless while
    // the run traces itself.
    const std::string newName =
        std::string(NewJreFilename) + (fexists(TempTraceFilename) ? "w.exe" : ".exe");
    const bool oldName = beginsWith(commandName, OldJreFilename);
    const std::string bin = jvmDirectory + DIR_END + BinDir + DIR_END;
    const struct {
        std::string path;
        std::string name;
        bool tried;
    } places[] = {
        {jvmDirectory + DIR_END + commandName, commandName, true},
        {jvmDirectory + DIR_END + newName, newName, oldName},
        {bin + commandName, commandName, true},
        {bin + newName, newName, oldName},
    };
    for (const auto& place : places) {
        if (!place.tried)
            continue;
        if (!fexists(place.path)) {
            traceMessage(TraceFilename, "unable to find", place.path);
            continue;
        }
        // Found before anything is written: a directory without the executable is never registered.
        if (configureRegistry)
            configureWinJvm(jvmVersion, jvmType, place.name, jvmDirectory);
        commandName = place.name;
        traceMessage(TraceFilename, "basic jvm set up ok", true);
        return true;
    }
    logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to find JVM executable");
    logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to configure JVM in", jvmDirectory);
    traceMessage(TraceFilename, "basic jvm set up ok", false);
    return false;
}
