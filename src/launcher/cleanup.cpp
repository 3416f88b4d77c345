// Tidying the working directory after a run and saving the logs in the start directory.
#include <cstdio>
#include <vector>

#include "control/linereader.h"
#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "provision/extractjvm.h"
#include "discovery/sysdirs.h"
#include "launcher/entry.h"
#include "launcher/install.h"
#include "launcher/manifest.h"
#include "launcher/nativeprops.h"
#include "launcher/safedelete.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace {

constexpr const char* ManifestDir = "META-INF";
constexpr const char* ManifestName = "MANIFEST.MF";
constexpr const char* DIR_END = "\\";
constexpr const char* InstallJar = "install.jar";
constexpr const char* OriginalDirFilename = "startdir.txt";
constexpr const char* SystemLogFilename = "changes.txt";
constexpr const char* ExpanderLogFilename = "qbxpand.log";
constexpr const char* ProbeFilename = "__qbxtest.zos";
constexpr const char* BinDir = "bin";

long fileLength(const std::string& name)
{
    std::FILE* file = platform::openFile(name, "rb");
    if (file == nullptr)
        return -1;
    std::fseek(file, 0, SEEK_END);
    long length = std::ftell(file);
    std::fclose(file);
    return length;
}

// Program Files as the environment and as the registry name it: both are kept.
std::string programFilesFromEnvironment()
{
    std::string dir;
    platform::getEnv("ProgramFiles", dir);
    return dir;
}

// A name without a folder part: it cannot lead out of the folder it is joined to.
bool isPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

} // namespace

void Install::cleanUp(bool ok)
{
    cleanUpManifest(ok);
    cleanUpJvmDir();
    cleanUpErrorsLog();
    cleanUpLogFiles();
    platform::removeFile(SystemLogFilename);
    platform::removeFile(OriginalDirFilename);
    platform::removeFile(NativePropertiesFilename);
}

void Install::cleanUpManifest(bool ok)
{
    std::string manifest = std::string(ManifestDir) + DIR_END + ManifestName;
    if (fexists(manifest)) {
        if (std::FILE* in = platform::openFile(manifest, "rt")) {
            std::string currentDir;
            getCurrentDir(currentDir);
            for (const std::string& name : readManifestNames(in)) {
                // The payload names its own files: nothing outside the working directory.
                if (!isSafeManifestName(name) || (fexists(name) && !liesWithin(name, currentDir)))
                    traceMessage(TraceFilename, "not deleting a manifest name outside the working directory", name);
                else
                    platform::removeFile(name);
            }
            std::fclose(in);
        }
    }
    platform::removeFile(manifest);
    platform::removeDir(ManifestDir);
    platform::removeFile(InstallJar);

    if (fexists(TempTraceFilename)) {
        platform::removeFile(TempTraceFilename);
        if (ok)
            platform::removeFile(TraceFilename);
        else
            traceMessage(TraceFilename, "install ok", false);
    }
}

void Install::cleanUpJvmDir()
{
    if (!fexists(NativePropertiesFilename))
        return;
    std::FILE* in = platform::openFile(NativePropertiesFilename, "rt");
    if (in == nullptr)
        return;
    TempJvmRecord record;
    std::string line;
    while (readLine(in, line)) {
        std::string normalized = normalizePropertiesLine(line);
        std::string key = applyPropertiesLine(normalized, record);
        if (key == NativeJvmHomeDir)
            traceMessage(TraceFilename, "jvmLocation", record.jvmHomeDir);
        else if (key == NativeJvmInstalledInTemp)
            traceMessage(TraceFilename, "jvmInstalledInTemp", record.installedInTemp);
        else if (key == NativeTempJvmDir)
            traceMessage(TraceFilename, "tempJvmDir", record.tempJvmDir);
        else if (key == ConfigureRegistryField)
            traceMessage(TraceFilename, "configureReg", record.configureRegistry);
    }
    std::fclose(in);
    if (!equalsIgnoringCase(record.installedInTemp, "true"))
        return;

    std::string dir = record.tempJvmDir.empty() ? record.jvmHomeDir : record.tempJvmDir;
    // Whether the JVM is registered depends on whether its tree will really go: decide that first.
    std::string tree;
    bool deleting = _tempJvmTree(dir, record.jvmHomeDir, tree);
    if (record.configureRegistry) {
        if (beginsWith(control.predefinedJvmInstallDir, AppDirVariable)) {
            traceMessage(TraceFilename, "not adding reg entries", control.predefinedJvmInstallDir);
        } else if (deleting) {
            // Registering it would leave entries naming nothing.
            traceMessage(TraceFilename, "not registering the jvm deleted with", dir);
        } else {
            ExtractJvm extractor;
            extractor.setHwnd(platform::hDlgMain.load());
            std::string commandName = control.jvmCommandName;
            extractor.configureJvm(control.jvmVersion, control.jvmName, commandName, record.jvmHomeDir,
                                   homeDirectory, true);
        }
    }
    if (!deleting)
        return;
    if (!removeDirAndSubdirs(tree))
        traceMessage(TraceFilename, "Warning: Unable to delete " + tree);
    platform::removeDir(tree + DIR_END + BinDir);
    platform::removeDir(tree);
}

bool Install::_tempJvmTree(const std::string& dir, const std::string& jvmHome, std::string& tree)
{
    // The file comes from outside (the wizard may write it): never let it aim at a root or at
    // a directory the run itself lives in, however it is spelled.
    std::string currentDir;
    getCurrentDir(currentDir);
    std::string startDir;
    getStartDir(startDir);
    std::vector<std::string> protectedDirs{currentDir, startDir, homeDirectory, programFilesFromEnvironment(),
                                           readMachineValue(WindowsCurrentVersionKey, "ProgramFilesDir")};
    // Nothing of the Windows directory is ever a JVM of this run (unless the run lives there,
    // when no Windows directory was found and the current directory stands in for it).
    if (!isSafeToDeleteTree(dir, protectedDirs, tree) ||
        (liesWithin(tree, homeDirectory) && !liesWithin(currentDir, homeDirectory))) {
        traceMessage(TraceFilename, "refusing to delete jvm directory", dir);
        return false;
    }
    // Only a JVM goes: the tree is its home or holds it, and the home has its Java program.
    std::string bin = jvmHome + DIR_END + BinDir + DIR_END;
    bool java = false;
    for (const std::string& name : {control.jvmCommandName, control.jvmCommandName + ".exe", std::string("java.exe"),
                                    std::string("javaw.exe")})
        java = java || (isPlainFileName(name) && name != ".exe" && fexists(bin + name));
    if (!java || !liesWithin(jvmHome, tree)) {
        traceMessage(TraceFilename, "refusing to delete a directory that is no jvm home nor holds one", dir);
        return false;
    }
    return true;
}

void Install::cleanUpErrorsLog()
{
    if (fileLength(ErrorsFilename) == 0)
        platform::removeFile(ErrorsFilename);
}

void Install::cleanUpLogFiles()
{
    if (!fexists(OriginalDirFilename))
        return;
    std::string startDir;
    getStartDir(startDir);
    std::string currentDir;
    getCurrentDir(currentDir);
    // Without a start directory the working directory stays, and the logs with it.
    if (startDir.empty() || sameDirectory(startDir, currentDir))
        return;
    // A start directory that is gone counts as write-protected: the working directory is removed
    // after the run, so the logs must be saved somewhere the user can find them.
    std::string target = startDir;
    if (!fexists(startDir) || isDirWriteProtected(startDir)) {
        if (!homeDirectory.empty() && !isDirWriteProtected(homeDirectory))
            target = homeDirectory;
        else if (!fexists(startDir)) {
            traceMessage(TraceFilename, "no directory to save the log files in", startDir);
            return;
        }
    }
    traceMessage(TraceFilename, "copying log files to", target);
    _cleanUpLogFiles(target);
}

void Install::_cleanUpLogFiles(const std::string& directory)
{
    std::string currentDir;
    getCurrentDir(currentDir);
    platform::DirEnum logs;
    platform::DirEntry entry;
    for (bool more = logs.first(currentDir + DIR_END + "*.log", entry); more; more = logs.next(entry)) {
        if (entry.name == "." || entry.name == ".." || entry.isDirectory)
            continue;
        if (entry.name == ExpanderLogFilename && fileLength(entry.name) <= 0)
            continue;
        // The start directory may be shared: a link placed under a log's name, or the directory
        // swapped for another, must not receive what the launcher writes.
        std::FILE* out = platform::openAppendExactly(directory, entry.name);
        if (out == nullptr && !homeDirectory.empty() && !equalsIgnoringCase(directory, homeDirectory)) {
            traceMessage(TraceFilename, "not saving a log into a file that is not the one meant",
                         directory + DIR_END + entry.name);
            out = platform::openAppendExactly(homeDirectory, entry.name);
        }
        if (out != nullptr) {
            if (std::FILE* in = platform::openFile(entry.name, "rb")) {
                copyStream(in, out);
                std::fclose(in);
            }
            std::fclose(out);
        }
        if (entry.name == ErrorsFilename && out == nullptr)
            showError("Unable to save errors.log", "Try installing from a non-write protected drive.");
    }
}

bool Install::isDirWriteProtected(const std::string& directory)
{
    // A name no one can know in advance, created new: never a file someone placed there.
    return directory.empty() || !platform::probeWrite(directory, ProbeFilename);
}

bool Install::removeDirAndSubdirs(const std::string& directory)
{
    return delDirTree(directory);
}
