// Paths in a form that compares equal when they name the same directory.
#pragma once

#include <string>

/// The directory in a comparable form: absolute (relative names against currentDir), lower
/// case, backslashes, no "." or ".." parts, no trailing backslash ("" for a root).
std::string comparablePath(const std::string& dir, const std::string& currentDir);
