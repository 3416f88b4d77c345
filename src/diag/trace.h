// Trace lines, written only while the trace file exists.
#pragma once

#include <string>

#include "diag/log.h"

/// Writes through Log, but only when the trace file exists at the moment of the call.
class Trace : public Log {
public:
    void traceMessage(const std::string& traceFile, const std::string& message);
    void traceMessage(const std::string& traceFile, const std::string& text, const std::string& detail);
    void traceMessage(const std::string& traceFile, const std::string& text, const char* detail);
    void traceMessage(const std::string& traceFile, const std::string& text, bool value);
    void traceMessage(const std::string& traceFile, const std::string& text, int value);

    /// Always appends to the log file, and to the trace file while it exists.
    void logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& message);
    void logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& text,
                            const std::string& detail);
    void logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& text,
                            const char* detail);
    void logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& text,
                            bool value);
};

// The log files every working class writes.
inline constexpr const char* ErrorsFilename = "errors.log";
inline constexpr const char* TraceFilename = "jinstall.log";
inline constexpr const char* TempTraceFilename = "jinstall.sem";
