// Time-stamped lines appended to a named log file.
#pragma once

#include <string>

/// Base of every working class: appends one line "<asctime text> <message>" to a file.
class Log {
public:
    /// Appends the message; a file that cannot be opened is skipped silently.
    void logMessage(const std::string& file, const std::string& message);
    /// Appends "text detail".
    void logMessage(const std::string& file, const std::string& text, const std::string& detail);
    void logMessage(const std::string& file, const std::string& text, const char* detail);
    /// Appends "text: true" or "text: false".
    void logMessage(const std::string& file, const std::string& text, bool value);
    /// Appends "text: value".
    void logMessage(const std::string& file, const std::string& text, int value);
};

/// The line written for a message: time text, one blank, the message (no newline).
std::string logLine(const std::string& message);
