// Small text rules shared by the launcher's units.
#pragma once

#include <string>

/// The text with ASCII letters lowered (as the runtime library's strlwr does).
std::string toLower(std::string text);
/// true when both texts are equal ignoring the case of ASCII letters (stricmp).
bool equalsIgnoringCase(const std::string& a, const std::string& b);
/// The text after the last backslash of a path (all of it without one).
std::string fileNamePart(const std::string& path);
/// true when text begins with prefix (exact case).
bool beginsWith(const std::string& text, const std::string& prefix);
