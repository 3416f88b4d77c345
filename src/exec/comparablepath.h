// Path rules: roots, parents, a comparable form, and what lies within a directory.
#pragma once

#include <string>

/// The directory in a comparable form: absolute (relative names against currentDir), lower
/// case, backslashes, no "." or ".." parts, no trailing backslash ("" for a root).
std::string comparablePath(const std::string& dir, const std::string& currentDir);

/// true for a backslash or a slash.
bool isPathSeparator(char c);

/// true when the path names a root: a drive ("C:", "C:\"), a share ("\\server\share") or "/".
bool isRootPath(const std::string& path);

/// The path without its last component ("C:\a\b" gives "C:\a", "C:\a" gives "C:\"); the path
/// itself when it has no parent.
std::string parentPath(const std::string& path);

/// true when the path lies inside the directory or is the directory itself, judged by the
/// identities of the path and its parents; false when either cannot be resolved.
bool liesWithin(const std::string& path, const std::string& dir);

/// true when both paths lead to the same existing file or directory (by identity, links followed).
bool sameFile(const std::string& path, const std::string& other);

/// true when both name the same directory: spelled alike but for letter case, or another spelling
/// of the same existing one (a short name, a trailing separator, a link).
bool sameDirectory(const std::string& dir, const std::string& other);
