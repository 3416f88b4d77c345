#include "diag/trace.h"

#include "exec/fexists.h"

void Trace::traceMessage(const std::string& traceFile, const std::string& message)
{
    if (fexists(traceFile))
        logMessage(traceFile, message);
}

void Trace::traceMessage(const std::string& traceFile, const std::string& text, const std::string& detail)
{
    if (fexists(traceFile))
        logMessage(traceFile, text, detail);
}

void Trace::traceMessage(const std::string& traceFile, const std::string& text, const char* detail)
{
    traceMessage(traceFile, text, std::string(detail != nullptr ? detail : ""));
}

void Trace::traceMessage(const std::string& traceFile, const std::string& text, bool value)
{
    if (fexists(traceFile))
        logMessage(traceFile, text, value);
}

void Trace::traceMessage(const std::string& traceFile, const std::string& text, int value)
{
    if (fexists(traceFile))
        logMessage(traceFile, text, value);
}

void Trace::logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& message)
{
    logMessage(logFile, message);
    traceMessage(traceFile, message);
}

void Trace::logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& text,
                               const std::string& detail)
{
    logMessage(logFile, text, detail);
    traceMessage(traceFile, text, detail);
}

void Trace::logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& text,
                               const char* detail)
{
    logAndTraceMessage(logFile, traceFile, text, std::string(detail != nullptr ? detail : ""));
}

void Trace::logAndTraceMessage(const std::string& logFile, const std::string& traceFile, const std::string& text,
                               bool value)
{
    logMessage(logFile, text, value);
    traceMessage(traceFile, text, value);
}
