// Existence test that accepts a quoted program name.
#pragma once

#include <string>

/// true when the path (or the part between a leading double quote and the next) exists.
bool fexists(const std::string& path);
