// The system registry (on Linux a REGEDIT4 file, see README).
#pragma once

#include <string>

namespace platform {

enum class RegRoot { LocalMachine, CurrentUser };
/// Rights a key is opened or created with: query values only, read, write, query and set
/// values, all access, read and write together, set values only.
enum class RegAccess { QueryValue, Read, Write, QuerySet, AllAccess, ReadWrite, SetValue };

/// The view of HKEY_LOCAL_MACHINE\SOFTWARE a key is opened in: the program's own (64-bit) or the
/// one 32-bit programs see, which Windows stores under SOFTWARE\WOW6432Node (the Linux file too).
/// HKEY_CURRENT_USER's software keys are shared between the views.
enum class RegView { Native, Bits32 };

/// An open key. Copyable data only; close it with regCloseKey.
struct RegKey {
    RegRoot root = RegRoot::LocalMachine;
    std::string path;
    void* native = nullptr;
    bool open = false;
};

/// true when the key exists and was opened (in that view).
bool regOpenKey(RegRoot root, const std::string& path, RegAccess access, RegKey& key,
                RegView view = RegView::Native);
/// true when the value exists and is text; value is cut to bufferSize - 1 bytes,
/// as a query into a buffer of that size would be.
bool regQueryString(const RegKey& key, const std::string& name, std::string& value, size_t bufferSize = 5001);
/// true and the name of the subkey at index; false when there are no more.
bool regEnumSubkey(const RegKey& key, unsigned index, std::string& name);
/// true when the key (and missing parents) exists afterwards and was opened with the rights.
bool regCreateKey(RegRoot root, const std::string& path, RegKey& key, RegAccess access = RegAccess::Write);
/// true when the text value was stored.
bool regSetString(const RegKey& key, const std::string& name, const std::string& value);
void regCloseKey(RegKey& key);

} // namespace platform
