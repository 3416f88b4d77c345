// Child processes and the process environment.
#pragma once

#include <string>
#include <vector>

namespace platform {

/// Error numbers of the runtime library that a failed start reports.
enum SpawnError { SpawnNoEntry = 2, SpawnTooBig = 7, SpawnNotExecutable = 8, SpawnNoMemory = 12, SpawnInvalid = 22 };

/// Starts program with the argument vector (args[0] is the program's name) and waits for it.
/// The elements are joined by blanks into the child's command line without added quotes,
/// as msvcrt's _spawnv does. Returns the exit code with errorNumber 0, or -1 with errorNumber
/// set when the program could not be started or waited for: a child that ends with exit code -1
/// is told from a failed start only by errorNumber.
int spawnWait(const std::string& program, const std::vector<std::string>& args, int& errorNumber);
/// true when the program was started; it is not waited for and outlives us.
bool spawnNoWait(const std::string& program, const std::vector<std::string>& args);

/// true and the value when the variable is set (names compare as the system does).
bool getEnv(const std::string& name, std::string& value);
/// true when "NAME=value" was put into the environment; "NAME=" removes the variable.
bool putEnv(const std::string& assignment);

} // namespace platform
