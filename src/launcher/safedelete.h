// Which directory trees the clean-up may delete.
#pragma once

#include <string>
#include <vector>

#include "exec/comparablepath.h"

/// true when deleting dir cannot hit a root, nor any protected directory or one of its
/// parents (the working, start, Windows and Program Files directories).
bool isSafeToDeleteTree(const std::string& dir, const std::string& currentDir,
                        const std::vector<std::string>& protectedDirs);
