#include "platform/process.h"

#include <cerrno>
#include <cstdlib>
#include <process.h>
#include <windows.h>

namespace platform {

namespace {

/// The vector in the form _spawnv takes: pointers into args, ended by null.
std::vector<const char*> argumentVector(const std::vector<std::string>& args)
{
    std::vector<const char*> vector;
    vector.reserve(args.size() + 1);
    for (const std::string& arg : args)
        vector.push_back(arg.c_str());
    vector.push_back(nullptr);
    return vector;
}

} // namespace

int spawnWait(const std::string& program, const std::vector<std::string>& args, int& errorNumber)
{
    std::vector<const char*> vector = argumentVector(args);
    errno = 0;
    intptr_t result = _spawnv(_P_WAIT, program.c_str(), vector.data());
    // A child's exit code -1 comes back as -1 too, with errno untouched.
    errorNumber = result == -1 ? errno : 0;
    return static_cast<int>(result);
}

bool spawnNoWait(const std::string& program, const std::vector<std::string>& args)
{
    std::vector<const char*> vector = argumentVector(args);
    intptr_t process = _spawnv(_P_NOWAIT, program.c_str(), vector.data());
    if (process == -1)
        return false;
    // The result is the child's process handle; we never wait for it, so give it back.
    CloseHandle(reinterpret_cast<HANDLE>(process));
    return true;
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
    return _putenv(assignment.c_str()) == 0;
}

} // namespace platform
