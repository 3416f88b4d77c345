// Answers about the running system: version, libraries, path names, shell folders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

/// The system's version word as GetVersion gives it (top bit clear on the NT family).
std::uint32_t getVersion();
/// The major version number (GetVersionExA: 5 for XP, 6 from Vista on); 0 when unknown.
unsigned majorVersion();
/// true when the system library can be loaded (a presence test: it is released again).
bool libraryPresent(const std::string& name);
/// true and the short (8.3) form of an existing path, at most limit characters.
bool shortPathName(const std::string& path, std::string& shortName, std::size_t limit);
/// true and the absolute form of a path (relative to the current directory), at most limit characters.
bool fullPathName(const std::string& path, std::string& fullName, std::size_t limit);

/// Shell folders the launcher may install into.
enum class Folder { CommonDocuments, PersonalDocuments };
/// true and the folder's path when the system names one.
bool folderPath(Folder folder, std::string& path);

} // namespace platform
