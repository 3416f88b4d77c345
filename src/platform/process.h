// Child processes and the process environment.
#pragma once

#include <string>
#include <vector>

namespace platform {

/// The causes of a failed start, numbered as the runtime library's error numbers; SpawnUnknown
/// for any cause outside the table.
enum SpawnError {
    SpawnUnknown = -1,
    SpawnNoEntry = 2,
    SpawnTooBig = 7,
    SpawnNotExecutable = 8,
    SpawnNoMemory = 12,
    SpawnInvalid = 22
};

/// Starts program with the argument vector (args[0] is the program's name) and waits for it.
/// The elements are joined by blanks into the child's command line without added quotes,
/// as msvcrt's _spawnv does; a name without an extension is looked for as .com, .exe, .bat and
/// .cmd; a batch file runs through the command interpreter. Returns the exit code with
/// errorNumber 0, or -1 with errorNumber set when the program could not be started: a child
/// that ends with exit code -1 is told from a failed start only by errorNumber.
int spawnWait(const std::string& program, const std::vector<std::string>& args, int& errorNumber);
/// true when the program was started; it is not waited for and outlives us.
bool spawnNoWait(const std::string& program, const std::vector<std::string>& args);
/// The system's own code and text for the last start that failed ("system error 193: ..."),
/// for the trace beside the text of its SpawnError.
std::string lastSpawnFailure();

/// true and the value when the variable is set (names compare as the system does).
bool getEnv(const std::string& name, std::string& value);
/// true when "NAME=value" was put into the environment; "NAME=" removes the variable.
bool putEnv(const std::string& assignment);

} // namespace platform
