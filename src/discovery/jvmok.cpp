#include "discovery/jvmok.h"

#include <cstdio>
#include <vector>

#include "control/jvmarchkey.h"
#include "exec/clib.h"
#include "exec/fexists.h"
#include "exec/spawnerror.h"
#include "exec/strutil.h"
#include "discovery/jvmversion.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {

constexpr const char* TestJvmFilename = "TestJvm.class";
constexpr const char* TestJvmClass = "TestJvm";
constexpr const char* JvmGoodFilename = "jvmGood.txt";
constexpr const char* ClassPathSwitch = "-cp";
constexpr const char* ClassPathVariable = "CLASSPATH";
constexpr const char* BinDir = "bin";
constexpr const char* OldRuntimePrefix = "jre";
constexpr const char* WindowlessJavaFilename = "javaw.exe";
constexpr const char* JavaFilename = "java.exe";
// A version is compared in a buffer of 1000 bytes; a result line is read into 1000 bytes.
constexpr std::size_t MaxVersionLength = 999;
constexpr std::size_t MaxResultLineLength = 998;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

JvmOk::JvmOk() : traceFilename(TraceFilename), wantedBits(readJvmArchitecture()) {}

void JvmOk::setTraceFilename(const std::string& name)
{
    traceFilename = name.substr(0, MaxPathLength);
}

bool JvmOk::jvmCorrectVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                              const std::string& jvmDirectory, std::string& executableName,
                              std::string& executablePath)
{
    const std::string givenName = executableName;
    if (_tryDirectory(required, minimum, maximum, jvmDirectory, executableName, executablePath))
        return true;

    if (beginsWith(executableName, OldRuntimePrefix)) {
        // Old runtimes shipped jre.exe/jrew.exe; newer ones only java.exe and javaw.exe.
        // The console-less form unless the user is tracing, when the console output helps.
        executableName = fexists(traceFilename) ? WindowlessJavaFilename : JavaFilename;
        if (_tryDirectory(required, minimum, maximum, jvmDirectory, executableName, executablePath))
            return true;
    }
    executableName = givenName;
    return false;
}

bool JvmOk::jvmCorrectVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                              const std::string& recordedVersion, const std::string& jvmDirectory,
                              std::string& executableName, std::string& executablePath)
{
    const std::string givenName = executableName;
    bool runs = jvmCorrectVersion(required, minimum, maximum, jvmDirectory, executableName, executablePath);
    if (runs && verifyVersion(required, minimum, maximum, recordedVersion))
        return true;
    if (runs)
        traceMessage(traceFilename, "jvm doesn't meet criteria");
    executableName = givenName;
    return false;
}

bool JvmOk::_tryDirectory(const std::string& required, const std::string& minimum, const std::string& maximum,
                          const std::string& jvmDirectory, const std::string& executableName,
                          std::string& executablePath)
{
    executablePath = jvmDirectory + "\\" + executableName;
    if (correctVersion(required, minimum, maximum, executablePath))
        return true;
    executablePath = jvmDirectory + "\\" + BinDir + "\\" + executableName;
    return correctVersion(required, minimum, maximum, executablePath);
}

bool JvmOk::correctVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                           const std::string& executablePath)
{
    if (!fexists(executablePath) || !fitsArchitecture(executablePath))
        return false;
    return testVersion(required, minimum, maximum, executablePath);
}

bool JvmOk::fitsArchitecture(const std::string& executablePath)
{
    if (wantedBits == JvmBits::Unknown)
        return true;
    const JvmBits bits = executableBits(executablePath);
    if (bits == wantedBits)
        return true;
    traceMessage(traceFilename, std::string("jvmArchitecture ") + bitsName(wantedBits) + " turns down " +
                                    executablePath + ":", bitsName(bits));
    return false;
}

bool JvmOk::testVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                        const std::string& executablePath)
{
    // Without the test program there is nothing to prove: the payload chose not to check.
    if (!hasTestProgram())
        return true;

    traceMessage(traceFilename, "testing ", executablePath);
    platform::removeFile(JvmGoodFilename);
    std::string currentDir;
    getCurrentDir(currentDir);

    // A class path left by the user would hide the test program from the JVM.
    platform::putEnv(std::string(ClassPathVariable) + "=");

    std::vector<std::string> args{fileNamePart(executablePath), ClassPathSwitch, ".", TestJvmClass, currentDir};

    int errorNumber = 0;
    int exitCode = platform::spawnWait(executablePath, args, errorNumber);
    if (exitCode == -1 && errorNumber != 0) {
        logAndTraceMessage(ErrorsFilename, traceFilename, "Error running JVM: " + spawnErrorText(errorNumber),
                           false);
        traceMessage(traceFilename, "start failed with", platform::lastSpawnFailure());
        return false;
    }

    traceMessage(traceFilename, "test jvm launched ok", true);
    // The exit code is not examined: only the result file proves that the class ran.
    bool result = checkVersion(JvmGoodFilename, required, minimum, maximum);
    if (result)
        traceMessage(traceFilename, "test jvm ok", true);
    else
        logAndTraceMessage(ErrorsFilename, traceFilename, "Jvm isn't installed properly.");
    platform::removeFile(JvmGoodFilename);
    return result;
}

bool JvmOk::hasTestProgram()
{
    return fexists(TestJvmFilename);
}

bool JvmOk::checkVersion(const std::string& resultFile, const std::string& required, const std::string& minimum,
                         const std::string& maximum)
{
    std::FILE* file = platform::openFile(resultFile, "rt");
    if (!file) {
        traceMessage(traceFilename, "Unable to verify version", resultFile);
        return false;
    }
    std::string line;
    int c = 0;
    while (line.size() < MaxResultLineLength && (c = std::fgetc(file)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    bool result = testLine(line, required, minimum, maximum);
    traceMessage(traceFilename, "version checked ok", result);
    std::fclose(file);
    return result;
}

bool JvmOk::testLine(std::string& line, const std::string& required, const std::string& minimum,
                     const std::string& maximum)
{
    std::size_t first = 0;
    while (first < line.size() && !isDigit(line[first]))
        ++first;
    std::size_t end = line.size();
    while (end > first && !isDigit(line[end - 1]))
        --end;
    line = line.substr(first, end - first);
    reported = line;
    return verifyVersion(required, minimum, maximum, line);
}

bool JvmOk::verifyVersion(const std::string& required, const std::string& minimum, const std::string& maximum,
                          const std::string& version)
{
    const std::string shown = version.substr(0, MaxVersionLength);
    traceMessage(traceFilename, "jvm version", shown);
    traceMessage(traceFilename, "req version", required);
    traceMessage(traceFilename, "min version", minimum);
    traceMessage(traceFilename, "max version", maximum);

    bool result;
    if (!required.empty())
        result = compareVersionToLimit(shown, required) == 0;
    else if (!minimum.empty() && compareVersionToLimit(shown, minimum) < 0)
        result = false;
    else
        result = maximum.empty() || compareVersionToLimit(shown, maximum) <= 0;

    traceMessage(traceFilename, "found jvm version:", shown);
    traceMessage(traceFilename, "       version ok", result);
    return result;
}
