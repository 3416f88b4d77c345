// How a Windows program splits its command line into argv, for the Linux stand-in of spawning.
#pragma once

#include <string>
#include <vector>

namespace platform {

/// The argv a program built with msvcrt.dll receives for this command line: the program name
/// ends at the first blank or tab (or between a leading double quote and the next, taken
/// literally); then blanks and tabs separate arguments, double quotes group, 2n backslashes
/// and a quote give n backslashes and toggle the quoting, 2n+1 backslashes and a quote give n
/// backslashes and a literal quote, other backslashes are literal. Two double quotes inside a
/// quoted part give one literal quote and the part stays quoted (the rule of Microsoft's
/// runtimes since Visual C++ 2008 and of Wine's msvcrt; older runtimes ended the quoted part
/// there). An empty line gives one empty program name.
std::vector<std::string> windowsArgv(const std::string& commandLine);

} // namespace platform
