// Child programs started and waited for, with their traces and failure reports.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "diag/trace.h"

/// Starts one program at a time and blocks until it has ended; its exit code is never judged.
class ExecCommand : public Trace {
public:
    /// Traces go to "jinstall.log", failures to "errors.log" (relative to the current directory).
    ExecCommand();
    /// Sets the errors file (cut to 5000 characters); callers that change directory pass a full path.
    void setErrorsFilename(const std::string& filename);
    /// Sets the trace file (cut to 5000 characters).
    void setTraceFilename(const std::string& filename);

    /// true and the child's exit code when the program was started and has ended (an exit code
    /// of -1 included); otherwise errorText receives the reason ("File or path is not found", ...).
    bool spawnAndWait(const std::string& command, const std::vector<std::string>& args, std::string& errorText,
                      int& exitCode);
    /// The whole vector for display, blank-separated; an element with a blank and no double quote is quoted.
    static std::string argsString(const std::vector<std::string>& args);
    /// true when the program was started and has ended; argText is split at every blank into its
    /// arguments. A failure to start is written to the errors file.
    bool execCommand(const std::string& command, const std::optional<std::string>& argText, unsigned count);

    // The inner steps of the operations above.

    /// Copies the command into formatted and traces it; always true.
    bool formatCommand(const std::string& command, std::string& formatted);
    /// Traces and runs invokeWinCommand with count + 1 slots; true when the program ran.
    bool _execCommand(const std::string& command, const std::optional<std::string>& argText, unsigned count);
    /// true when the program ran; slots is the announced vector size (program included) and is
    /// only compared with the pieces really found, which decide the vector.
    bool invokeWinCommand(const std::string& command, const std::optional<std::string>& argText, unsigned slots);
    /// Writes the command, the result and the error number of a failed start to the errors file and the trace.
    void reportExecError(const std::string& command, int result, int errorNumber);

private:
    std::string traceFilename;
    std::string errorsFilename;
};

/// The argument vector of a command: the command, then each piece of argText between single
/// blanks (two adjacent blanks give an empty piece; no quote handling); only the command without argText.
std::vector<std::string> splitArgumentText(const std::string& command, const std::optional<std::string>& argText);
