#include "platform/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/posix/cmdline.h"
#include "platform/posix/heldfiles.h"
#include "platform/posix/paths.h"

extern char** environ;

namespace platform {

namespace {

// A Windows child parses its arguments from one joined command line; hand the Linux child
// exactly what it would parse, so that tests mean the same on both builds.
std::vector<std::string> childArguments(const std::vector<std::string>& args)
{
    std::string joined;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            joined += ' ';
        joined += args[i];
    }
    return windowsArgv(joined);
}

// What the system said about the last start that failed.
std::string lastFailure;

int mapErrno(int error)
{
    lastFailure = "errno " + std::to_string(error) + ": " + std::strerror(error);
    switch (error) {
    case ENOENT:
    case ENOTDIR: return SpawnNoEntry;
    case E2BIG: return SpawnTooBig;
    case ENOEXEC:
    case EACCES: return SpawnNotExecutable;
    case ENOMEM: return SpawnNoMemory;
    case EINVAL: return SpawnInvalid;
    default: return SpawnUnknown;
    }
}

int start(const std::string& program, const std::vector<std::string>& args, pid_t& pid)
{
    std::vector<std::string> childArgs = childArguments(args);
    if (childArgs.empty())
        childArgs.push_back(program);
    std::vector<char*> argv;
    for (auto& arg : childArgs)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::string path = posix::runPath(posix::nativePath(program));
    return ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
}

} // namespace

int spawnWait(const std::string& program, const std::vector<std::string>& args, int& errorNumber)
{
    errorNumber = 0;
    pid_t pid = 0;
    int error = start(program, args, pid);
    if (error != 0) {
        errorNumber = mapErrno(error);
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            errorNumber = mapErrno(errno);
            return -1;
        }
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

bool spawnNoWait(const std::string& program, const std::vector<std::string>& args)
{
    pid_t pid = 0;
    int error = start(program, args, pid);
    if (error != 0)
        mapErrno(error);
    return error == 0;
}

std::string lastSpawnFailure()
{
    return lastFailure;
}

bool getEnv(const std::string& name, std::string& value)
{
    const char* found = std::getenv(name.c_str());
    if (found == nullptr)
        return false;
    value = found;
    return true;
}

bool putEnv(const std::string& assignment)
{
    auto equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0)
        return false;
    std::string name = assignment.substr(0, equals);
    std::string value = assignment.substr(equals + 1);
    // "NAME=" removes the variable, as msvcrt's _putenv does.
    if (value.empty())
        return ::unsetenv(name.c_str()) == 0;
    return ::setenv(name.c_str(), value.c_str(), 1) == 0;
}

} // namespace platform
