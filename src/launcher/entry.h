// The program's entry: windows, marker files, the worker thread, the clean-up hand-over.
#pragma once

#include <string>

/// The whole program: returns 0 in every case. commandLine is the text after the program name.
int launcherMain(bool previousInstance, const std::string& commandLine, int showCommand);

/// Fills startDir with the first line of "startdir.txt", or leaves it empty.
void getStartDir(std::string& startDir);
/// Body of the worker thread; argument points to the command line (a std::string).
void startMainThread(void* argument);
/// Runs one install; true when it succeeded.
bool startProgram(bool quiet, bool properties, const std::string& details);

/// Full paths of the two markers, set before the worker starts and only read afterwards.
extern std::string waitInstallFilename;
extern std::string showDialogFilename;
