#include "provision/jvminstaller.h"

#include <optional>

#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "exec/trustedfolder.h"
#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"
#include "discovery/sysdirs.h"
#include "discovery/winvers.h"
#include "platform/files.h"
#include "platform/foldertrust.h"
#include "platform/system.h"

namespace {

constexpr const char* AppDirVariable = "[$AppDir]";
constexpr const char* WindowsDirVariable = "[$WinDir]";
constexpr const char* ProgFilesDirVariable = "[$ProgFilesDir]";
constexpr const char* VariableStart = "[$";
constexpr const char* JreType = "JRE";
constexpr const char* JdkType = "JDK";
constexpr const char* PluginType = "Java Plug-in";
constexpr const char* DIR_END = "\\";
constexpr const char* JvmDir = "jvm";
constexpr const char* JavaSoftDir = "JavaSoft";
constexpr const char* WriteTestDir = "__test__zos";
constexpr const char* DefaultProgramFilesDir = "C:\\Program Files";
constexpr const char* ProgramFilesField = "ProgramFilesDir";
constexpr const char* KernelLibrary = "KERNEL32.DLL";
constexpr const char* ShellLibrary = "Shell32.dll";
constexpr const char* ShellFolderLibrary = "SHFolder.dll";
constexpr unsigned LastPreVistaMajor = 5;
// The family and micro versions are held in 100-byte fields; the search path in 5000 bytes.
constexpr std::size_t MaxVersionPart = 99;
constexpr std::size_t MaxSearchPath = 4999;

// Cuts a version part to its field, with a trace line when it had to.
std::string fitVersionPart(Trace& trace, const std::string& part)
{
    if (part.size() <= MaxVersionPart)
        return part;
    trace.traceMessage(TraceFilename, "version part cut to 99 characters", part);
    return part.substr(0, MaxVersionPart);
}

// A path in a form that compares as Windows compares paths: lower case, backslashes.
std::string comparable(const std::string& path)
{
    std::string result = toLower(path);
    for (char& c : result)
        if (c == '/')
            c = '\\';
    return result;
}

} // namespace

void JvmInstaller::setHomeDirectory(const std::string& directory)
{
    homeDirectory = directory.substr(0, MaxPathLength);
}

void JvmInstaller::setPayloadProgram(const std::string& path)
{
    payloadProgram = path;
}

void JvmInstaller::setJvmHomeSubdirectory(const std::string& jvmHomeDir)
{
    jvmHomeSubdirectory.clear();
    if (beginsWith(jvmHomeDir, "./") && jvmHomeDir.size() > 2) {
        jvmHomeSubdirectory = jvmHomeDir.substr(1);
        for (char& c : jvmHomeSubdirectory)
            if (c == '/')
                c = '\\';
    }
}

bool JvmInstaller::createJvmDirectory(const std::string& required, const std::string& minimum,
                                      const std::string& maximum, const std::string& jvmVersion,
                                      const std::string& jvmType, std::string& commandName,
                                      const std::string& predefinedDir, std::string& directory, std::string& jvmPath)
{
    const VersionLimits limits{required, minimum, maximum};
    std::optional<std::string> searchPath = getPathPtr();
    std::string currentDir, programFiles = quietProgramFilesDirectory();
    getCurrentDir(currentDir);
    ownPlaces = {programFiles, homeDirectory, currentDir};
    bool ok = _createJvmDirectory(limits, jvmVersion, jvmType, commandName, predefinedDir, directory, jvmPath);
    if (!ok && searchPath) {
        std::string path = *searchPath;
        if (path.size() > MaxSearchPath) {
            traceMessage(TraceFilename, "search path cut to 4999 characters");
            path.resize(MaxSearchPath);
        }
        // Entries are separated by ";"; an empty entry stands for the empty directory.
        for (std::size_t start = 0; !ok && start <= path.size();) {
            std::size_t end = path.find(';', start);
            if (end == std::string::npos)
                end = path.size();
            directory = path.substr(start, end - start);
            start = end + 1;
            ok = createJvmSubdirectory(limits, jvmVersion, jvmType, commandName, directory, jvmPath);
        }
    }
    if (!ok) {
        getCurrentDir(directory);
        deleteTempJvmDir(directory);
        ok = createJvmSubdirectory(limits, jvmVersion, jvmType, commandName, directory, jvmPath);
        if (!ok)
            logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to create a new directory to install JVM");
    }
    traceMessage(TraceFilename, "createJvmDirectory ok", ok);
    return ok;
}

void JvmInstaller::deleteTempJvmDir(const std::string& directory)
{
    std::string tree = directory + DIR_END + JvmDir;
    if (!fexists(tree))
        return;
    // The program about to run may live in this tree (a self-extractor value jvm\setup.exe):
    // deleting it would leave nothing to run.
    if (!payloadProgram.empty() && beginsWith(comparable(payloadProgram), comparable(tree) + DIR_END)) {
        traceMessage(TraceFilename, "not deleting the jvm directory that holds", payloadProgram);
        return;
    }
    delDirTree(tree);
}

bool JvmInstaller::_createJvmDirectory(const VersionLimits& limits, const std::string& jvmVersion,
                                       const std::string& jvmType, std::string& commandName,
                                       const std::string& predefinedDir, std::string& directory,
                                       std::string& jvmPath)
{
    if (!predefinedDir.empty()) {
        traceMessage(TraceFilename, "default install directory for JVM", predefinedDir);
        std::string target;
        if (getNewJvmInstallerTo(predefinedDir, target)) {
            directory = target;
            if (createPredeterminedJvmDirectory(limits, commandName, directory, jvmPath))
                return true;
        }
    }
    bool ok = createWinJvmDirectory(limits, jvmVersion, jvmType, commandName, directory, jvmPath);
    if (!ok)
        traceMessage(TraceFilename, "unable to create Windows JVM directory");
    return ok;
}

bool JvmInstaller::getNewJvmInstallerTo(const std::string& predefinedDir, std::string& target)
{
    target.clear();
    bool ok = true;
    std::string value;
    if (!beginsWith(predefinedDir, VariableStart)) {
        target = predefinedDir;
    } else if (beginsWith(predefinedDir, ProgFilesDirVariable)) {
        ok = getProgramsDirectory(value);
        if (!ok)
            traceMessage(TraceFilename, "unable to get Programs File directory for JVM");
        else
            ok = getVariableDir(ProgFilesDirVariable, value, predefinedDir, target);
    } else if (beginsWith(predefinedDir, WindowsDirVariable)) {
        ok = getWindowsDirectory(value);
        if (!ok)
            traceMessage(TraceFilename, "unable to get Windows directory for JVM");
        else
            ok = getVariableDir(WindowsDirVariable, value, predefinedDir, target);
    } else if (beginsWith(predefinedDir, AppDirVariable)) {
        // Whatever follows the variable is ignored: the JVM goes into the working directory.
        getCurrentDir(target);
        target = target + DIR_END + JvmDir;
    } else {
        traceMessage(TraceFilename, "unknown variable used to install the JVM");
        ok = false;
    }
    traceMessage(TraceFilename, ok ? "installing JVM in" : "unable to install JVM in", target);
    return ok;
}

bool JvmInstaller::getVariableDir(const std::string& variable, const std::string& value,
                                  const std::string& predefinedDir, std::string& target)
{
    target.clear();
    const std::string testDir = variable + DIR_END;
    if (!beginsWith(predefinedDir, testDir)) {
        traceMessage(TraceFilename, "invalid predefined directory for JVM", predefinedDir);
        return false;
    }
    if (predefinedDir == testDir) {
        traceMessage(TraceFilename, "invalid default jvm install directory", predefinedDir);
        return false;
    }
    traceMessage(TraceFilename, "predefinedJvmInstallDir != testDir", testDir);
    std::string expanded = value + predefinedDir.substr(variable.size());
    if (expanded.size() > MaxPathLength) {
        traceMessage(TraceFilename, "predefined directory longer than 5000 characters", expanded);
        return false;
    }
    target = expanded;
    traceMessage(TraceFilename, "trying to install JVM into", target);
    return true;
}

bool JvmInstaller::createPredeterminedJvmDirectory(const VersionLimits& limits, std::string& commandName,
                                                   const std::string& directory, std::string& jvmPath)
{
    traceMessage(TraceFilename, "creating predefined jvm dir", directory);
    std::string walk = directory;
    if (walk.empty() || walk.back() != '\\')
        walk += DIR_END;
    // Every missing level is created, parents first; a drive such as C: counts as present.
    std::string parent;
    for (std::size_t end = walk.find('\\'); end != std::string::npos; end = walk.find('\\', end + 1)) {
        std::string level = walk.substr(0, end);
        if (level.empty() || fexists(level)) {
            parent = level;
            continue;
        }
        // Nothing is made inside a folder that others control.
        if (!addDirectory(parent, level.substr(parent.empty() ? 0 : parent.size() + 1)))
            return false;
    }
    if (!usablePlace(directory))
        return false;
    discovered = testJvm(limits, commandName, directory, jvmPath);
    return true;
}

bool JvmInstaller::createWinJvmDirectory(const VersionLimits& limits, const std::string& jvmVersion,
                                         const std::string& jvmType, std::string& commandName,
                                         std::string& directory, std::string& jvmPath)
{
    std::string family, micro;
    parseVersion(jvmVersion, family, micro);
    family = fitVersionPart(*this, family);
    micro = fitVersionPart(*this, micro);

    std::string programs, drive;
    bool placed = getProgramsDirectory(programs);
    if (placed) {
        std::size_t colon = programs.find(':');
        drive = colon == std::string::npos ? std::string() : programs.substr(0, colon + 1);
        directory = programs;
        bool known = jvmType == JreType || jvmType == JdkType || jvmType == PluginType;
        placed = known ? addDirectory(directory, JavaSoftDir) && addDirectory(directory, jvmType + family)
                       : addDirectory(directory, "JVM" + family);
        if (!placed) {
            traceMessage(TraceFilename, "Unable to create: ", directory);
            placed = addDirectory(directory, "Java" + family);
        }
    }
    if (placed) {
        // Two version directories: <family>.<micro>, else the whole version, else "Jvm" + version.
        const std::string candidates[] = {directory + DIR_END + family + "." + micro,
                                          directory + DIR_END + jvmVersion};
        const std::string fallbacks[] = {jvmVersion, "Jvm" + jvmVersion};
        for (int i = 0; i < 2; ++i) {
            if (fexists(candidates[i])) {
                traceMessage(TraceFilename, "found a possible directory", candidates[i]);
                discovered = foundValidJvm(limits, commandName, candidates[i], jvmPath);
                if (discovered)
                    directory = candidates[i];
                traceMessage(TraceFilename, "directory ok", discovered);
                traceMessage(TraceFilename, "discovered jvm", discovered);
                if (discovered)
                    return true;
            } else if (addDirectory(directory, fallbacks[i])) {
                return true;
            }
        }
    }
    // The root of the programs directory's drive (the current directory without a drive).
    directory = drive;
    if (createJvmSubdirectory(limits, jvmVersion, jvmType, commandName, directory, jvmPath))
        return true;
    directory = homeDirectory;
    return createJvmSubdirectory(limits, jvmVersion, jvmType, commandName, directory, jvmPath);
}

bool JvmInstaller::createJvmSubdirectory(const VersionLimits& limits, const std::string& jvmVersion,
                                         const std::string& jvmType, std::string& commandName,
                                         std::string& directory, std::string& jvmPath)
{
    std::string family, micro;
    parseVersion(jvmVersion, family, micro);
    family = fitVersionPart(*this, family);
    const std::string subName = toLower(jvmType + family);

    bool ok = addDirectory(directory, JvmDir) && addDirectory(directory, subName);
    if (ok) {
        // A tree used before: take the JVM there when it passes, else a fresh level below.
        if (fexists(directory + DIR_END + family)) {
            discovered = foundValidJvm(limits, commandName, directory, jvmPath);
            if (!discovered && !fexists(directory + DIR_END + subName))
                ok = addDirectory(directory, subName);
        } else {
            ok = addDirectory(directory, family);
        }
    }
    if (ok)
        traceMessage(TraceFilename, "created jvm subdirectory in", directory);
    else
        traceMessage(TraceFilename, "unable to create jvm subdirectory in", directory);
    traceMessage(TraceFilename, "finished createJvmSubdirectory; ok", ok);
    return ok;
}

bool JvmInstaller::addDirectory(std::string& base, const std::string& name)
{
    std::string path;
    if (base.empty())
        path = name;
    else if (base.back() == '\\')
        path = base + name;
    else
        path = base + DIR_END + name;
    if (path.size() > MaxPathLength) {
        traceMessage(TraceFilename, "unable to add directory longer than 5000 characters", path);
        return false;
    }
    // Nothing is made inside, nor reused from, a folder that others control.
    if (!base.empty() && !isRootPath(base) && !usablePlace(base))
        return false;
    bool existed = fexists(path);
    if (!existed) {
        // Outside the run's own places a new level is protected from its creation on.
        if (inOwnPlace(path))
            platform::makeDir(path);
        else
            platform::makeProtectedDir(path);
    }
    if (!fexists(path)) {
        traceMessage(TraceFilename, "unable to add directory", path);
        return false;
    }
    if (existed && !usablePlace(path))
        return false;
    base = path;
    return true;
}

bool JvmInstaller::addDirectory(const std::string& path)
{
    std::string base;
    return addDirectory(base, path);
}

bool JvmInstaller::inOwnPlace(const std::string& path)
{
    // A folder not made yet lies where its nearest existing parent lies.
    std::string existing = path;
    while (!fexists(existing) && parentPath(existing) != existing)
        existing = parentPath(existing);
    for (const std::string& place : ownPlaces)
        if (!place.empty() && liesWithin(existing, place))
            return true;
    return false;
}

bool JvmInstaller::usablePlace(const std::string& folder)
{
    if (inOwnPlace(folder))
        return true;
    std::string why;
    if (onlyTrustedCanChange(folder, why))
        return true;
    traceMessage(TraceFilename, "passed over a folder that others can change", why);
    return false;
}

bool JvmInstaller::testJvm(const VersionLimits& limits, std::string& commandName, const std::string& directory,
                           std::string& jvmPath)
{
    JvmOk jvmOk;
    if (jvmOk.jvmCorrectVersion(limits.required, limits.minimum, limits.maximum, directory, commandName, jvmPath))
        return true;
    // An earlier expansion of the bundled JVM left it in the home subdirectory.
    return !jvmHomeSubdirectory.empty() &&
           jvmOk.jvmCorrectVersion(limits.required, limits.minimum, limits.maximum,
                                   directory + jvmHomeSubdirectory, commandName, jvmPath);
}

bool JvmInstaller::foundValidJvm(const VersionLimits& limits, std::string& commandName,
                                 const std::string& directory, std::string& jvmPath)
{
    bool valid = usablePlace(directory) && testJvm(limits, commandName, directory, jvmPath);
    if (!valid)
        traceMessage(TraceFilename, directory, " doesn't have correct version");
    return valid;
}

bool JvmInstaller::getProgramsDirectory(std::string& directory)
{
    if (!isVistaOrWindows7())
        return getProgramFilesDirectory(directory);
    if (getProgramFilesDirectory(directory)) {
        // From Vista on, Program Files may be closed to us: try to make a directory there.
        std::string probe = directory + DIR_END + WriteTestDir;
        platform::makeDir(probe);
        bool writable = fexists(probe);
        if (writable)
            platform::removeDir(probe);
        traceMessage(TraceFilename, "Ok to use Program files subdirectory for jvm", writable);
        if (writable)
            return true;
    }
    return getDocumentsDirectory(directory);
}

std::string JvmInstaller::quietProgramFilesDirectory()
{
    std::string value = readMachineValue(WindowsCurrentVersionKey, ProgramFilesField);
    if (value.empty())
        value = readMachineValue(NtCurrentVersionKey, ProgramFilesField);
    if (value.empty() && fexists(DefaultProgramFilesDir))
        value = DefaultProgramFilesDir;
    return value;
}

bool JvmInstaller::getProgramFilesDirectory(std::string& directory)
{
    directory.clear();
    std::string value = quietProgramFilesDirectory();
    if (value.empty()) {
        traceMessage(TraceFilename, "Unable to find Program Files directory in registry");
        return false;
    }
    directory = value;
    return true;
}

bool JvmInstaller::getDocumentsDirectory(std::string& directory)
{
    directory.clear();
    if (!platform::libraryPresent(ShellLibrary) && !platform::libraryPresent(ShellFolderLibrary))
        return false;
    return platform::folderPath(platform::Folder::CommonDocuments, directory) ||
           platform::folderPath(platform::Folder::PersonalDocuments, directory);
}

bool JvmInstaller::getWindowsDirectory(std::string& directory)
{
    directory.clear();
    WinVersion version;
    if (version.winNT())
        for (const WindowsDirSource& source : NtWindowsDirSources)
            if (!(directory = readMachineValue(source.key, source.value)).empty())
                return true;
    directory = readMachineValue(OldWindowsDirSource.key, OldWindowsDirSource.value);
    return !directory.empty();
}

bool JvmInstaller::isVistaOrWindows7()
{
    if (!platform::libraryPresent(KernelLibrary)) {
        traceMessage(TraceFilename, "KERNEL32 not found");
        return false;
    }
    traceMessage(TraceFilename, "checking for vista/7");
    bool vista = platform::majorVersion() > LastPreVistaMajor;
    traceMessage(TraceFilename, "vista/7", vista);
    return vista;
}
