// Entry of installer.exe.
#include <windows.h>

#include "launcher/entry.h"
#include "platform/win32/instance.h"

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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR lpCmdLine, int nShowCmd)
{
    restrictDllSearch();
    hInst = instance;
    return launcherMain(previous != nullptr, lpCmdLine != nullptr ? lpCmdLine : "", nShowCmd);
}
