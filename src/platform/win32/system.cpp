#include "platform/system.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/systemlibrary.h"
#include "platform/win32/widetext.h"

namespace platform {

namespace {

// Asks a Win32 "fill this buffer" function; empty when it fails or the answer exceeds limit
// characters (UTF-16 units, as the system counts them).
template <typename Call>
bool fillText(std::size_t limit, std::string& result, Call call)
{
    std::vector<wchar_t> buffer(limit + 1);
    DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length > limit)
        return false;
    result = narrow(std::wstring(buffer.data(), length));
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
    HMODULE library = LoadLibraryExW(widen(name).c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    std::string systemDir;
    if (library == nullptr && GetLastError() == ERROR_INVALID_PARAMETER &&
        fillText(MAX_PATH, systemDir, [](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }))
        library = LoadLibraryW(widen(systemDir + "\\" + name).c_str()); // systems before the flag
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
                    [&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(widen(path).c_str(), buffer, size); });
}

bool fullPathName(const std::string& path, std::string& fullName, std::size_t limit)
{
    return fillText(limit, fullName, [&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(widen(path).c_str(), size, buffer, nullptr);
    });
}

bool folderPath(Folder folder, std::string& path)
{
    wchar_t buffer[MAX_PATH] = {};
    int id = folder == Folder::CommonDocuments ? CSIDL_COMMON_DOCUMENTS : CSIDL_PERSONAL;
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, 0, buffer)))
        return false;
    path = narrow(buffer);
    return true;
}

} // namespace platform
