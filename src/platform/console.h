// A console program's arguments and output, in UTF-8 whatever the system's code page.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

/// The program's arguments after its name, in UTF-8: on Windows from the wide command line, since
/// the ANSI arguments carry '?' for every character outside the code page.
std::vector<std::string> commandArguments(int argc, char** argv);
/// Writes the UTF-8 text to stdout or stderr: to a Windows console as its characters, elsewhere
/// (a file, a pipe, Linux) as the bytes it is.
void writeText(std::FILE* stream, const std::string& text);

} // namespace platform
