// Line-by-line reading of the launcher's small key=value files.
#pragma once

#include <cstdio>
#include <string>

/// Longest piece of a line one read delivers; a longer line arrives as several pieces.
inline constexpr std::size_t MaxLineLength = 998;

/// true and the next piece of the file (at most MaxLineLength characters, up to and without
/// its line feed, cut at a NUL byte as a C string would be); false at the end of the file.
bool readLine(std::FILE* file, std::string& line);
