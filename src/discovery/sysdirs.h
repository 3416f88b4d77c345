// Where the registry names the system's folders (Windows directory, Program Files).
#pragma once

#include <cstddef>
#include <string>

/// The text value of an HKEY_LOCAL_MACHINE key, cut to size - 1 characters; empty when the key
/// or the value is missing.
std::string readMachineValue(const std::string& key, const std::string& value, std::size_t size = 5001);

/// One registry value that may name the Windows directory, and the trace line of a find.
struct WindowsDirSource {
    const char* key;
    const char* value;
    const char* trace; // empty: no trace on success
};

inline constexpr const char* NtCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr const char* WindowsCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

/// Tried in order on the NT family; the first non-empty value wins.
inline constexpr WindowsDirSource NtWindowsDirSources[] = {
    {NtCurrentVersionKey, "SystemRoot", "got home directory from SystemRoot"},
    {NtCurrentVersionKey, "PathName", "got home directory from PathName"},
    {NtCurrentVersionKey, "WinDir", "got home directory from WinDir"},
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SETUP", "WinDir", "got home directory from Setup WinDir"},
};
/// The place of the older family.
inline constexpr WindowsDirSource OldWindowsDirSource = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SETUP",
                                                          "WinDir", ""};

/// The Windows directory as the first of NtWindowsDirSources names it; empty when none does.
std::string windowsDirectory();
