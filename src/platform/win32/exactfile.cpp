// Files in folders other users may share: created new under names no one can guess, or
// appended to only when what was opened is the very file meant.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <string>

#include "platform/files.h"
#include "platform/pathidentity.h"
#include "platform/win32/handlepath.h"
#include "platform/win32/widetext.h"

namespace platform {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    const std::wstring wideA = widen(a), wideB = widen(b);
    return wideA.size() == wideB.size() &&
           CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                          static_cast<int>(wideB.size())) == CSTR_EQUAL;
}

// 64 bits from the system's random source (advapi32, which the program imports anyway);
// the counter only where that source is missing.
unsigned long long unguessable()
{
    using GenRandom = BOOLEAN(WINAPI*)(PVOID, ULONG);
    auto generate = reinterpret_cast<GenRandom>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "SystemFunction036")));
    unsigned long long bits = 0;
    if (generate == nullptr || !generate(&bits, sizeof bits)) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        bits = static_cast<unsigned long long>(counter.QuadPart);
    }
    return bits;
}

} // namespace

bool probeWrite(const std::string& dir, const std::string& prefix)
{
    std::string name =
        dir + "\\" + prefix + "." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(unguessable());
    // A new file only (a link under that name makes the creation fail), gone when closed.
    HANDLE file = CreateFileW(widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool wrote = WriteFile(file, "ok", 2, &written, nullptr) && written == 2;
    CloseHandle(file);
    return wrote;
}

std::FILE* openAppendExactly(const std::string& dir, const std::string& name)
{
    std::string resolvedDir;
    if (!resolvePath(dir, resolvedDir))
        return nullptr;
    const std::string path = dir + "\\" + name;
    // The link itself is opened, not followed: a link is then refused by its attributes.
    HANDLE file = CreateFileW(widen(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE, FILE_SHARE_READ,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION info{};
    std::string finalName;
    std::string expected = resolvedDir + (resolvedDir.back() == '\\' ? "" : "\\") + name;
    bool exact = GetFileInformationByHandle(file, &info) &&
                 (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
                 info.nNumberOfLinks == 1 && win32::finalPath(file, finalName) && sameIgnoringCase(finalName, expected);
    int descriptor = exact ? _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_APPEND | _O_WRONLY | _O_BINARY) : -1;
    if (descriptor == -1) {
        CloseHandle(file);
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "ab");
    if (stream == nullptr)
        _close(descriptor);
    return stream;
}

} // namespace platform
