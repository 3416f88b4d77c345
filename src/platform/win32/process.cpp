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
    // Started without waiting, then waited for here: a failed start (-1 and errno) can then never
    // be mistaken for a child that ended with -1, and the runtime's errno after a successful
    // start, which is not always clear, does not matter.
    errno = 0;
    intptr_t process = _spawnv(_P_NOWAIT, program.c_str(), vector.data());
    if (process == -1) {
        errorNumber = errno != 0 ? errno : SpawnInvalid;
        return -1;
    }
    errorNumber = 0;
    HANDLE handle = reinterpret_cast<HANDLE>(process);
    DWORD exitCode = 0;
    if (WaitForSingleObject(handle, INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(handle, &exitCode))
        exitCode = static_cast<DWORD>(-1);
    CloseHandle(handle);
    return static_cast<int>(exitCode);
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
