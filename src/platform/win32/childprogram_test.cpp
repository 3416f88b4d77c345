// The Windows side of testing/childprogram.h: argsrecorder.exe is built next to the test program.
#include "testing/childprogram.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace testing_support {

std::string argsRecorderProgram(const TempDir&)
{
    char path[MAX_PATH] = {};
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of('\\') + 1) + "argsrecorder.exe";
}

std::string fileRemoverProgram(const std::string& path, std::vector<std::string>& args)
{
    char directory[MAX_PATH] = {};
    args = {"cmd", "/c", "del", "\"" + path + "\""};
    return std::string(directory, GetSystemDirectoryA(directory, MAX_PATH)) + "\\cmd.exe";
}

bool messageBoxesWait()
{
    const char* where = std::getenv("QBX_MESSAGE_BOXES");
    return where == nullptr || std::string(where) != "stderr";
}

} // namespace testing_support
