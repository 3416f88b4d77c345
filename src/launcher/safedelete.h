// Which directory trees the clean-up may delete.
#pragma once

#include <string>
#include <vector>

#include "exec/comparablepath.h"

/// true and in resolved the tree to delete, when dir exists, is no root nor a link, and is neither one of
/// the protected directories nor one of their parents. The decision is taken on what the system
/// says the paths are (resolved names and the identity of each directory), never on their
/// spelling; a path the system cannot resolve is refused.
bool isSafeToDeleteTree(const std::string& dir, const std::vector<std::string>& protectedDirs,
                        std::string& resolved);
