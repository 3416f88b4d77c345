#include "platform/console.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/widetext.h"

namespace platform {

std::vector<std::string> commandArguments(int argc, char** argv)
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

void writeText(std::FILE* stream, const std::string& text)
{
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode)) {
        std::fputs(text.c_str(), stream);
        return;
    }
    // A console shows bytes in its own code page: its characters are written instead.
    std::fflush(stream);
    std::wstring characters = widen(text);
    DWORD written = 0;
    WriteConsoleW(handle, characters.data(), static_cast<DWORD>(characters.size()), &written, nullptr);
}

} // namespace platform
