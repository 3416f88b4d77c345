// The Windows side of testing/childprogram.h: argsrecorder.exe is built next to the test program.
#include "testing/childprogram.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace testing_support {

namespace {

std::string besideTestProgram(const char* name)
{
    std::string path(MAX_PATH, '\0');
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

} // namespace

std::string argsRecorderProgram(const TempDir&)
{
    return besideTestProgram("argsrecorder.exe");
}

std::string jvmExpanderProgram(const TempDir&)
{
    return besideTestProgram("jvmexpander.exe");
}

std::string fileRemoverProgram(const std::string& path, std::vector<std::string>& args)
{
    std::string directory(MAX_PATH, '\0');
    directory.resize(GetSystemDirectoryA(directory.data(), MAX_PATH));
    args = {"cmd", "/c", "del", "\"" + path + "\""};
    return directory + "\\cmd.exe";
}

bool messageBoxesWait()
{
    const char* where = std::getenv("QBX_MESSAGE_BOXES");
    return where == nullptr || std::string(where) != "stderr";
}

} // namespace testing_support
