// The registry entries of an expanded JVM and its launcher copies in the Windows directory.
#include "control/configreg.h"
#include "exec/clib.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "provision/extractjvm.h"
#include "discovery/jvmversion.h"
#include "discovery/sysdirs.h"

namespace {

constexpr const char* JdkType = "JDK";
constexpr const char* OldJreFilename = "jre";
constexpr const char* NewJreFilename = "java";
constexpr const char* OldJrewFilename = "jrew";
constexpr const char* NewJrewFilename = "javaw";
constexpr const char* OldRuntimeFamily = "1.1";
constexpr const char* BinDir = "bin";
constexpr const char* DIR_END = "\\";
constexpr const char* JavaHomeField = "JavaHome";
constexpr const char* MicroVersionField = "MicroVersion";
constexpr const char* CurrentVersionField = "CurrentVersion";
constexpr const char* RuntimeLibrary = "msvcrt.dll";
constexpr const char* SystemDir = "system";
constexpr const char* ExeSuffix = ".exe";
constexpr std::size_t RegistryValueSize = 5001;

// Tried in this order when a key is opened or created for writing.
constexpr platform::RegAccess WriteRights[] = {platform::RegAccess::AllAccess, platform::RegAccess::ReadWrite,
                                               platform::RegAccess::SetValue};

// The JVM directory as JavaHome: lower case, without a last "\bin" folder (...\jre\bin gives
// ...\jre). A "bin" further up is part of the home: C:\tools\bin\jvm is registered as it is.
std::string javaHome(const std::string& jvmDirectory)
{
    return withoutBinFolder(toLower(jvmDirectory));
}

} // namespace

bool ExtractJvm::configureWinReg()
{
    return configureWinRegistry("configWinReg in extractjvmwin");
}

bool ExtractJvm::configureWinJvm(const std::string& jvmVersion, const std::string& jvmType,
                                 const std::string& executableName, const std::string& jvmDirectory)
{
    if (!configureWinReg()) {
        traceMessage(TraceFilename, "Windows registry unchanged");
        return true;
    }
    if (_configureWinJvm(jvmVersion, jvmType, executableName, jvmDirectory))
        traceMessage(TraceFilename, "Windows registry configured");
    else
        traceMessage(TraceFilename, "Warning: Windows registry for the JVM *not* configured");
    return true;
}

bool ExtractJvm::_configureWinJvm(const std::string& jvmVersion, const std::string& jvmType,
                                  const std::string& executableName, const std::string& jvmDirectory)
{
    std::string family, micro;
    parseVersion(jvmVersion, family, micro);
    const std::string home = javaHome(jvmDirectory);
    if (!equalsIgnoringCase(jvmType, JdkType))
        return configureJre(family, micro, home, executableName);
    bool ok = addJvmToRegistry(JdkEntry, JavaHomeField, family, micro, home);
    const std::string name = toLower(executableName);
    if (name == OldJreFilename || name == NewJreFilename)
        ok = configureJre(family, micro, home, executableName);
    return ok;
}

bool ExtractJvm::configureJre(const std::string& familyVersion, const std::string& microVersion,
                              const std::string& home, const std::string& executableName)
{
    if (!addJvmToRegistry(JreEntry, JavaHomeField, familyVersion, microVersion, home))
        return false;
    copyJreFilesToHome(familyVersion, home, executableName);
    if (beginsWith(familyVersion, OldRuntimeFamily))
        return true;
    return configureJava2(familyVersion, microVersion, home, executableName);
}

bool ExtractJvm::configureJava2(const std::string& familyVersion, const std::string& microVersion,
                                const std::string& home, const std::string&)
{
    addJvmToRegistry(JreEntry, JavaHomeField, familyVersion + "." + microVersion, microVersion, home);
    return true;
}

bool ExtractJvm::copyJreFilesToHome(const std::string& familyVersion, const std::string& home,
                                    const std::string& executableName)
{
    platform::RegKey key;
    if (!platform::regOpenKey(platform::RegRoot::LocalMachine, JreEntry, platform::RegAccess::QueryValue, key))
        return true;
    std::string current;
    platform::regQueryString(key, CurrentVersionField, current, RegistryValueSize);
    platform::regCloseKey(key);
    if (current != familyVersion)
        return true;
    // Without a Windows directory the copies would land at the root of the current drive.
    if (homeDirectory.empty()) {
        traceMessage(TraceFilename, "no Windows directory to copy the JVM launchers into");
        return true;
    }
    std::string base = executableName;
    std::size_t suffix = base.find(ExeSuffix);
    if (suffix != std::string::npos)
        base.erase(suffix, std::string(ExeSuffix).size());
    std::string companion;
    if (beginsWith(familyVersion, OldRuntimeFamily))
        companion = std::string(base == OldJrewFilename ? OldJreFilename : OldJrewFilename) + ExeSuffix;
    else
        companion = std::string(base == NewJrewFilename ? NewJreFilename : NewJrewFilename) + ExeSuffix;

    const std::string bin = home + DIR_END + BinDir + DIR_END;
    copyJvmFile(bin + executableName, homeDirectory + DIR_END + executableName);
    copyJvmFile(bin + companion, homeDirectory + DIR_END + companion);
    copyJvmFile(bin + RuntimeLibrary, homeDirectory + DIR_END + SystemDir + DIR_END + RuntimeLibrary);
    return true;
}

bool ExtractJvm::copyJvmFile(const std::string& source, const std::string& destination)
{
    if (!fexists(source)) {
        traceMessage(TraceFilename, "unable to copy file from", source);
        traceMessage(TraceFilename, std::string(22, ' ') + "to", destination);
        return false;
    }
    if (fexists(destination))
        return true;
    return copyFile(source, destination);
}

bool ExtractJvm::addJvmToRegistry(const std::string& baseKey, const std::string& valueName,
                                  const std::string& versionKey, const std::string& microVersion,
                                  const std::string& home)
{
    addJvmTopLevelKey(baseKey, versionKey);
    const std::string path = baseKey + DIR_END + versionKey;
    // A version key with a MicroVersion belongs to a JVM registered before: leave it be.
    const bool registered = !readMachineValue(path, MicroVersionField, RegistryValueSize).empty();
    platform::RegKey key;
    if (!platform::regOpenKey(platform::RegRoot::LocalMachine, path, platform::RegAccess::QuerySet, key) &&
        !addToRegistry(platform::RegRoot::LocalMachine, path, key)) {
        traceMessage(TraceFilename, "unable to add registry key", path);
        traceMessage(TraceFilename, "unable to addJvmToRegistry");
        return false;
    }
    if (!registered) {
        addValueToRegistry(key, valueName, home);
        addValueToRegistry(key, MicroVersionField, microVersion);
    }
    platform::regCloseKey(key);
    return true;
}

void ExtractJvm::addJvmTopLevelKey(const std::string& baseKey, const std::string& versionKey)
{
    platform::RegKey key;
    if (!addToRegistry(platform::RegRoot::LocalMachine, baseKey, key))
        return;
    if (readMachineValue(baseKey, CurrentVersionField, RegistryValueSize).empty()) {
        std::string family, micro;
        parseVersion(versionKey, family, micro);
        addValueToRegistry(key, CurrentVersionField, family);
    }
    platform::regCloseKey(key);
}

bool ExtractJvm::addValueToRegistry(const platform::RegKey& key, const std::string& name, const std::string& value)
{
    // Read through a key opened for querying (the JavaSoft keys are all machine keys): the write
    // key may lack the right to query.
    std::string existing = readMachineValue(key.path, name, RegistryValueSize);
    if (!existing.empty()) {
        traceMessage(TraceFilename, name, "already exists in registry");
        traceMessage(TraceFilename, "value", existing);
        return true;
    }
    if (platform::regSetString(key, name, value))
        traceMessage(TraceFilename, "Added registry value to " + name + ":", value);
    else
        traceMessage(TraceFilename, "unable to set registry value " + name + ":", value);
    return true;
}

bool ExtractJvm::addToRegistry(platform::RegRoot root, const std::string& path, platform::RegKey& key)
{
    platform::RegKey probe;
    if (platform::regOpenKey(root, path, platform::RegAccess::QueryValue, probe)) {
        platform::regCloseKey(probe);
        for (platform::RegAccess rights : WriteRights)
            if (platform::regOpenKey(root, path, rights, key))
                return true;
    }
    for (platform::RegAccess rights : WriteRights)
        if (platform::regCreateKey(root, path, key, rights))
            return true;
    traceMessage(TraceFilename, "Unable to create registry key", path);
    return false;
}
