// Test helper: child programs and user-interface facts that differ by build, provided by each backend.
#pragma once

#include <string>
#include <vector>

#include "testing/tempdir.h"

namespace testing_support {

/// Path of a program that writes its arguments (argv[1] on, one per line ended by a line feed)
/// to "args.out" in its current directory and ends with exit code 3. dir may receive a copy.
std::string argsRecorderProgram(const TempDir& dir);

/// The program (returned) and argument vector (args) of a process that removes the file path.
std::string fileRemoverProgram(const std::string& path, std::vector<std::string>& args);

/// true when a message box waits for a user to close it (Windows): a test that would show
/// one cannot run unattended. Elsewhere the box is a line on standard error.
bool messageBoxesWait();

} // namespace testing_support
