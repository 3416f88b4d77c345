// Existence test that accepts a quoted program name.
#pragma once

#include <string>

/// true when the path (or the part between a leading double quote and the next) exists.
bool fexists(const std::string& path);

/// The path without the double quotes around it (the part between a leading quote and the next).
std::string unquotedPath(const std::string& path);
