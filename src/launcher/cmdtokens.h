// The launcher's command line: blank-separated tokens, the quiet switches and the details.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* QuietSwitch = "-q";
inline constexpr const char* PropertiesSwitch = "-s";

/// The text cut at every blank; two blanks in a row give an empty token. The last element is
/// the text after the last blank, which is never taken as a switch.
std::vector<std::string> splitAtBlanks(const std::string& text);

/// true when a blank-followed token is "-q" or "-s": no window is ever shown.
bool isQuietCommandLine(const std::string& commandLine);

struct WorkerArguments {
    bool quiet = false;
    bool properties = false;
    std::string details;
};

/// The switches and the details (the properties argument, quotes removed) of the command line.
WorkerArguments parseWorkerArguments(const std::string& commandLine);

/// The first line of a start-directory file with trailing LF, CR and blanks cut (never the first
/// character).
std::string trimStartDirLine(std::string line);
