#include "platform/system.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/systemlibrary.h"

namespace platform {

namespace {

// Asks a Win32 "fill this buffer" function; empty when it fails or the answer exceeds limit.
template <typename Call>
bool fillText(std::size_t limit, std::string& result, Call call)
{
    std::vector<char> buffer(limit + 1);
    DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length > limit)
        return false;
    result.assign(buffer.data(), length);
    return true;
}

} // namespace

std::uint32_t getVersion()
{
    return static_cast<std::uint32_t>(GetVersion());
}

unsigned majorVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info; // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL known = GetVersionExA(&info);
#pragma GCC diagnostic pop
    return known ? info.dwMajorVersion : 0;
}

HMODULE loadSystemLibrary(const std::string& name)
{
    HMODULE library = LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    std::string systemDir;
    if (library == nullptr && GetLastError() == ERROR_INVALID_PARAMETER &&
        fillText(MAX_PATH, systemDir, [](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); }))
        library = LoadLibraryA((systemDir + "\\" + name).c_str()); // systems before the flag
    return library;
}

bool libraryPresent(const std::string& name)
{
    HMODULE library = loadSystemLibrary(name);
    if (library == nullptr)
        return false;
    FreeLibrary(library);
    return true;
}

bool shortPathName(const std::string& path, std::string& shortName, std::size_t limit)
{
    return fillText(limit, shortName,
                    [&](char* buffer, DWORD size) { return GetShortPathNameA(path.c_str(), buffer, size); });
}

bool fullPathName(const std::string& path, std::string& fullName, std::size_t limit)
{
    return fillText(limit, fullName, [&](char* buffer, DWORD size) {
        return GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
}

bool folderPath(Folder folder, std::string& path)
{
    char buffer[MAX_PATH] = {};
    int id = folder == Folder::CommonDocuments ? CSIDL_COMMON_DOCUMENTS : CSIDL_PERSONAL;
    if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, 0, buffer)))
        return false;
    path = buffer;
    return true;
}

} // namespace platform
