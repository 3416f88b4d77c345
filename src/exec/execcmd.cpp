#include "exec/execcmd.h"

#include <cstdio>

#include "exec/clib.h"
#include "exec/fexists.h"
#include "exec/spawnerror.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {

std::string cutPath(const std::string& path)
{
    return path.substr(0, MaxPathLength);
}

} // namespace

std::vector<std::string> splitArgumentText(const std::string& command, const std::optional<std::string>& argText)
{
    std::vector<std::string> args{command};
    if (!argText)
        return args;
    std::size_t start = 0;
    for (;;) {
        std::size_t blank = argText->find(' ', start);
        args.push_back(argText->substr(start, blank == std::string::npos ? std::string::npos : blank - start));
        if (blank == std::string::npos)
            return args;
        start = blank + 1;
    }
}

ExecCommand::ExecCommand() : traceFilename(TraceFilename), errorsFilename(ErrorsFilename) {}

void ExecCommand::setErrorsFilename(const std::string& filename)
{
    errorsFilename = cutPath(filename);
}

void ExecCommand::setTraceFilename(const std::string& filename)
{
    traceFilename = cutPath(filename);
}

bool ExecCommand::formatCommand(const std::string& command, std::string& formatted)
{
    formatted = command;
    traceMessage(traceFilename, "formattedCommand:", formatted);
    return true;
}

bool ExecCommand::spawnAndWait(const std::string& command, const std::vector<std::string>& args,
                               std::string& errorText, int& exitCode)
{
    std::string program;
    formatCommand(command, program);
    traceMessage(traceFilename, "Command:", program);
    traceMessage(traceFilename, "Args:", argsString(args));

    int errorNumber = 0;
    exitCode = platform::spawnWait(program, args, errorNumber);
    if (errorNumber != 0) {
        errorText = spawnErrorText(errorNumber);
        traceMessage(traceFilename, "start failed with", platform::lastSpawnFailure());
        return false;
    }
    return true;
}

std::string ExecCommand::argsString(const std::vector<std::string>& args)
{
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (i > 0)
            text += ' ';
        bool quote = arg.find(' ') != std::string::npos && arg.find('"') == std::string::npos;
        text += quote ? '"' + arg + '"' : arg;
    }
    return text;
}

bool ExecCommand::execCommand(const std::string& command, const std::optional<std::string>& argText,
                              unsigned count)
{
    traceMessage(traceFilename, "Formatting command", command);
    std::string formatted;
    formatCommand(command, formatted);
    traceMessage(traceFilename, "New formatted command", formatted);
    return _execCommand(formatted, argText, count);
}

bool ExecCommand::_execCommand(const std::string& command, const std::optional<std::string>& argText,
                               unsigned count)
{
    traceMessage(traceFilename, "command", command);
    traceMessage(traceFilename, "# of args", static_cast<int>(count));
    traceMessage(traceFilename, "Starting to invoke command", command);
    bool started = invokeWinCommand(command, argText, count + 1);
    traceMessage(traceFilename, "Command started ok", started);
    return started;
}

bool ExecCommand::invokeWinCommand(const std::string& command, const std::optional<std::string>& argText,
                                   unsigned slots)
{
    // The vector is built from the pieces found: an argument text with more blanks than
    // announced must still reach the program whole, never overrun a vector sized from slots.
    std::vector<std::string> args = splitArgumentText(command, argText);
    if (args.size() > slots)
        traceMessage(traceFilename, "more arguments than announced", static_cast<int>(args.size() - 1));
    traceMessage(traceFilename, "about to execute command:", command);

    // Quotes around a program path with blanks belong to the child's command line (element 0);
    // the spawn itself needs the bare path, which it cannot find with quotes around it.
    int errorNumber = 0;
    int result = platform::spawnWait(unquotedPath(command), args, errorNumber);
    if (errorNumber != 0) {
        reportExecError(command, result, errorNumber);
        return false;
    }
    return true;
}

void ExecCommand::reportExecError(const std::string& command, int result, int errorNumber)
{
    logAndTraceMessage(errorsFilename, traceFilename, "Unable to execute command:", command);
    logAndTraceMessage(errorsFilename, traceFilename, std::string(19, ' ') + "result", std::to_string(result));
    logAndTraceMessage(errorsFilename, traceFilename, std::string(20, ' ') + "errno", std::to_string(errorNumber));
    traceMessage(traceFilename, "start failed with", platform::lastSpawnFailure());
}
