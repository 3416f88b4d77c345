// Which directory trees the clean-up may delete.
#pragma once

#include <string>
#include <vector>

/// true when the path names a root: a drive ("C:", "C:\"), a share ("\\server\share") or "/".
bool isRootPath(const std::string& path);

/// The path without its last component ("C:\a\b" gives "C:\a", "C:\a" gives "C:\"); the path
/// itself when it has no parent.
std::string parentPath(const std::string& path);

/// true and in resolved the tree to delete, when dir exists, is no root nor a link, and is neither one of
/// the protected directories nor one of their parents. The decision is taken on what the system
/// says the paths are (resolved names and the identity of each directory), never on their
/// spelling; a path the system cannot resolve is refused.
bool isSafeToDeleteTree(const std::string& dir, const std::vector<std::string>& protectedDirs,
                        std::string& resolved);

/// true when the path lies inside the directory or is the directory itself, judged by the
/// identities of the path and its parents; false when either cannot be resolved.
bool liesWithin(const std::string& path, const std::string& dir);
