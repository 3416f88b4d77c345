#include "platform/pathidentity.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handlepath.h"
#include "platform/win32/widetext.h"

namespace platform {

namespace {

// Opens a file or directory for its attributes only; directories need backup semantics.
HANDLE openForQuery(const std::string& path, DWORD flags = 0)
{
    return CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

// Calls one of the W functions that answer "needed size" when the buffer is too small.
template <typename Call>
bool askForPath(Call call, std::string& answer)
{
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            answer = narrow(std::wstring(buffer.data(), length));
            return true;
        }
        buffer.resize(length + 1);
    }
    return false;
}

// "\\?\C:\x" is "C:\x" and "\\?\UNC\server\share" is "\\server\share".
std::string withoutLongPrefix(const std::string& path)
{
    if (path.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\\\" + path.substr(8);
    if (path.rfind("\\\\?\\", 0) == 0)
        return path.substr(4);
    return path;
}

} // namespace

bool resolvePath(const std::string& path, std::string& resolved)
{
    if (path.empty())
        return false;
    std::string full;
    if (!askForPath(
            [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(widen(path).c_str(), size, buffer, nullptr); },
            full))
        return false;
    std::string longName;
    if (!askForPath([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(widen(full).c_str(), buffer, size); },
                    longName))
        return false;
    // Junctions and links on the way: the final name is where the handle really leads.
    HANDLE handle = openForQuery(longName);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    bool named = win32::finalPath(handle, resolved);
    CloseHandle(handle);
    return named;
}

bool win32::finalPath(void* handle, std::string& path)
{
    std::string finalName;
    if (!askForPath(
            [&](wchar_t* buffer, DWORD size) {
                return GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            },
            finalName))
        return false;
    path = withoutLongPrefix(finalName);
    return true;
}

namespace {

bool identityOf(const std::string& path, FileIdentity& identity, DWORD flags)
{
    if (path.empty())
        return false;
    HANDLE handle = openForQuery(path, flags);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known)
        return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

} // namespace

bool fileIdentity(const std::string& path, FileIdentity& identity)
{
    return identityOf(path, identity, 0);
}

bool entryIdentity(const std::string& path, FileIdentity& identity)
{
    return identityOf(path, identity, FILE_FLAG_OPEN_REPARSE_POINT);
}

} // namespace platform
