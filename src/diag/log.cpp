#include "diag/log.h"

#include <cstdio>

#include "exec/unicode.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {
constexpr const char* EchoFilename = "term.log";
}

std::string logLine(const std::string& message)
{
    return platform::localTimeText() + " " + message;
}

void Log::logMessage(const std::string& file, const std::string& message)
{
    std::FILE* out = platform::openFile(file, "a+t");
    if (out == nullptr)
        return;
    // Plain writes (the line cut at a NUL byte, as "%s" would): a formatted print brings the
    // runtime's whole printf engine into the shipped program.
    // UTF-8 files: what UTF-8 cannot hold of a path goes as an escape, never lost.
    std::string line = logLine(loggableText(message));
    std::fputs(line.c_str(), out);
    std::fputc('\n', out);
    std::fclose(out);
    // "term.log" asks for every line on the console as well.
    if (platform::access(EchoFilename)) {
        std::fputs(line.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void Log::logMessage(const std::string& file, const std::string& text, const std::string& detail)
{
    logMessage(file, text + " " + detail);
}

void Log::logMessage(const std::string& file, const std::string& text, const char* detail)
{
    logMessage(file, text, std::string(detail != nullptr ? detail : ""));
}

void Log::logMessage(const std::string& file, const std::string& text, bool value)
{
    logMessage(file, text + (value ? ": true" : ": false"));
}

void Log::logMessage(const std::string& file, const std::string& text, int value)
{
    logMessage(file, text + ": " + std::to_string(value));
}
