#include "platform/registry.h"

#include <vector>
#include <windows.h>

#include "platform/win32/widetext.h"

namespace platform {

namespace {

/// Size of the name buffer for subkey enumeration (5000 characters and the terminator).
constexpr DWORD SubkeyNameSize = 5001;
/// A value that keeps growing while we read it is given up after this many tries.
constexpr int QueryAttempts = 4;

HKEY rootKey(RegRoot root)
{
    return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

REGSAM accessMask(RegAccess access)
{
    switch (access) {
    case RegAccess::QueryValue: return KEY_QUERY_VALUE;
    case RegAccess::Read: return KEY_READ;
    case RegAccess::Write: return KEY_WRITE;
    case RegAccess::QuerySet: return KEY_QUERY_VALUE | KEY_SET_VALUE;
    case RegAccess::AllAccess: return KEY_ALL_ACCESS;
    case RegAccess::ReadWrite: return KEY_READ | KEY_WRITE;
    case RegAccess::SetValue: return KEY_SET_VALUE;
    }
    return KEY_READ;
}

HKEY handleOf(const RegKey& key)
{
    return static_cast<HKEY>(key.native);
}

} // namespace

bool regOpenKey(RegRoot root, const std::string& path, RegAccess access, RegKey& key, RegView view)
{
    HKEY handle = nullptr;
    const REGSAM mask = accessMask(access) | (view == RegView::Bits32 ? KEY_WOW64_32KEY : 0);
    if (RegOpenKeyExW(rootKey(root), widen(path).c_str(), 0, mask, &handle) != ERROR_SUCCESS)
        return false;
    key.root = root;
    key.path = path;
    key.native = handle;
    key.open = true;
    return true;
}

bool regQueryString(const RegKey& key, const std::string& name, std::string& value, size_t bufferSize)
{
    if (!key.open || bufferSize == 0)
        return false;
    // The caller's buffer size is a limit on the text, not on what we may read: a longer value
    // is read whole and then cut, where a fixed buffer would only have failed. Read as the
    // system keeps it (UTF-16), held as UTF-8.
    std::vector<wchar_t> data(bufferSize);
    const std::wstring wideName = widen(name);
    DWORD type = 0;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < QueryAttempts && result == ERROR_MORE_DATA; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        result = RegQueryValueExW(handleOf(key), wideName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_MORE_DATA)
            data.resize(size / sizeof(wchar_t) + 2);
        else if (result == ERROR_SUCCESS)
            data.resize(size / sizeof(wchar_t));
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // Stored texts need not carry their terminator; stop at the first NUL if there is one.
    std::wstring text(data.begin(), data.end());
    std::wstring::size_type nul = text.find(L'\0');
    if (nul != std::wstring::npos)
        text.erase(nul);
    value = narrow(text);
    if (value.size() > bufferSize - 1) {
        // Cut as the core counts (bytes), before a whole character.
        std::size_t cut = bufferSize - 1;
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut;
        value.erase(cut);
    }
    return true;
}

bool regEnumSubkey(const RegKey& key, unsigned index, std::string& name)
{
    if (!key.open)
        return false;
    std::vector<wchar_t> buffer(SubkeyNameSize);
    DWORD size = SubkeyNameSize;
    if (RegEnumKeyExW(handleOf(key), index, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    name = narrow(std::wstring(buffer.data(), size));
    return true;
}

bool regCreateKey(RegRoot root, const std::string& path, RegKey& key, RegAccess access)
{
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(rootKey(root), widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, accessMask(access), nullptr,
                        &handle, &disposition) != ERROR_SUCCESS)
        return false;
    key.root = root;
    key.path = path;
    key.native = handle;
    key.open = true;
    return true;
}

bool regSetString(const RegKey& key, const std::string& name, const std::string& value)
{
    if (!key.open)
        return false;
    const std::wstring wide = widen(value);
    return RegSetValueExW(handleOf(key), widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void regCloseKey(RegKey& key)
{
    if (key.open)
        RegCloseKey(handleOf(key));
    key.native = nullptr;
    key.open = false;
}

} // namespace platform
