#include "platform/process.h"

#include <cstdlib>
#include <cstring>
#include <windows.h>

#include "platform/win32/widetext.h"

namespace platform {

namespace {

// What the system said about the last start that failed.
std::string lastFailure;

constexpr const char* SearchedExtensions[] = {".com", ".exe", ".bat", ".cmd"};

bool isFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool hasExtension(const std::string& program, const char* extension)
{
    const std::size_t length = std::strlen(extension);
    return program.size() >= length && _stricmp(program.c_str() + program.size() - length, extension) == 0;
}

/// The file to run: the name as given when its last component has an extension, else the first
/// of name.com, .exe, .bat, .cmd that exists (as the runtime's spawn looked); "" when none does.
std::string programFile(const std::string& program)
{
    const std::size_t slash = program.find_last_of("\\/:");
    if (program.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos)
        return program;
    for (const char* extension : SearchedExtensions)
        if (isFile(program + extension))
            return program + extension;
    return std::string();
}

int systemCodeToSpawnError(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return SpawnNoEntry;
    case ERROR_BAD_EXE_FORMAT: return SpawnNotExecutable;
    case ERROR_NOT_ENOUGH_MEMORY: return SpawnNoMemory;
    default: return SpawnUnknown;
    }
}

void recordFailure(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = text != nullptr ? narrow(std::wstring(text, length)) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    lastFailure = "system error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

/// Starts the program as the runtime's spawn did: the elements joined by single blanks as they
/// are, the environment of this process (CLASSPATH as cleared), handles inherited. A batch file
/// runs through the command interpreter of the system directory. 0, or the system's error code.
DWORD start(const std::string& program, const std::vector<std::string>& args, PROCESS_INFORMATION& process)
{
    std::string file = programFile(program);
    if (file.empty())
        return ERROR_FILE_NOT_FOUND;
    std::string application = file;
    std::string commandLine;
    const bool batch = hasExtension(file, ".bat") || hasExtension(file, ".cmd");
    if (batch) {
        wchar_t systemDir[MAX_PATH];
        UINT length = GetSystemDirectoryW(systemDir, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return GetLastError() != 0 ? GetLastError() : ERROR_PATH_NOT_FOUND;
        application = narrow(systemDir) + "\\cmd.exe";
        // /d: no AutoRun commands; /s /c: the outer quotes go, the rest runs as written.
        commandLine = "cmd.exe /d /s /c \"\"" + file + "\"";
    }
    for (std::size_t i = batch ? 1 : 0; i < args.size(); ++i) {
        if (i > 0 || batch)
            commandLine += ' ';
        commandLine += args[i];
    }
    if (batch)
        commandLine += '"';

    // The whole line in UTF-16: the child reads every character of every path as it is.
    std::wstring wideCommandLine = widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    process = PROCESS_INFORMATION{};
    if (!CreateProcessW(widen(application).c_str(), wideCommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process)) {
        DWORD code = GetLastError();
        return code != 0 ? code : ERROR_GEN_FAILURE;
    }
    CloseHandle(process.hThread);
    return 0;
}

} // namespace

int spawnWait(const std::string& program, const std::vector<std::string>& args, int& errorNumber)
{
    PROCESS_INFORMATION process;
    DWORD code = start(program, args, process);
    if (code != 0) {
        recordFailure(code);
        errorNumber = systemCodeToSpawnError(code);
        return -1;
    }
    errorNumber = 0;
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode))
        exitCode = static_cast<DWORD>(-1);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

bool spawnNoWait(const std::string& program, const std::vector<std::string>& args)
{
    PROCESS_INFORMATION process;
    DWORD code = start(program, args, process);
    if (code != 0) {
        recordFailure(code);
        return false;
    }
    // Never waited for: it outlives us.
    CloseHandle(process.hProcess);
    return true;
}

std::string lastSpawnFailure()
{
    return lastFailure;
}

bool getEnv(const std::string& name, std::string& value)
{
    const std::wstring wideName = widen(name);
    std::wstring buffer(256, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetLastError(ERROR_SUCCESS);
        DWORD length = GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            return false;
        if (length < buffer.size()) {
            buffer.resize(length);
            value = narrow(buffer);
            return true;
        }
        buffer.assign(length, L'\0'); // grown meanwhile: the size asked for, with its terminator
    }
    return false;
}

bool putEnv(const std::string& assignment)
{
    if (_wputenv(widen(assignment).c_str()) != 0)
        return false;
    // Children get the system's copy of the environment: keep it as the runtime's.
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0)
        return true;
    const std::string name = assignment.substr(0, equals);
    const std::string value = assignment.substr(equals + 1);
    SetEnvironmentVariableW(widen(name).c_str(), value.empty() ? nullptr : widen(value).c_str());
    return true;
}

} // namespace platform
