// Entry of installer.exe.
#include <windows.h>

#include "launcher/entry.h"
#include "platform/win32/instance.h"
#include "platform/win32/widetext.h"

namespace {

/// Loads DLLs from the system directory only: the program runs elevated from a download
/// folder, where a planted DLL must not be picked up. Systems without the call at least take
/// the current directory out of the search.
void restrictDllSearch()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr)
        return;
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryA("");
}

/// The command line after the program's name, as the runtime cuts it for WinMain, but whole:
/// the ANSI line would carry '?' for every character of a path outside the code page.
std::string argumentsOfCommandLine()
{
    const wchar_t* line = GetCommandLineW();
    bool quoted = false;
    while (*line > L' ' || (*line != L'\0' && quoted)) {
        if (*line == L'"')
            quoted = !quoted;
        ++line;
    }
    while (*line != L'\0' && *line <= L' ')
        ++line;
    return platform::narrow(line);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int nShowCmd)
{
    restrictDllSearch();
    hInst = instance;
    return launcherMain(previous != nullptr, argumentsOfCommandLine(), nShowCmd);
}
