// Which directory trees the clean-up may delete.
#pragma once

#include <string>
#include <vector>

/// The directory in a comparable form: absolute (relative names against currentDir), lower
/// case, backslashes, no "." or ".." parts, no trailing backslash ("" for a root).
std::string comparablePath(const std::string& dir, const std::string& currentDir);

/// true when deleting dir cannot hit a root, nor any protected directory or one of its
/// parents (the working, start, Windows and Program Files directories).
bool isSafeToDeleteTree(const std::string& dir, const std::string& currentDir,
                        const std::vector<std::string>& protectedDirs);
