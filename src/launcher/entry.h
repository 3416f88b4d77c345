// The program's entry: windows, marker files, the worker thread, the clean-up hand-over.
#pragma once

#include <string>

/// The whole program: returns 0 in every case. commandLine is the text after the program name.
int launcherMain(bool previousInstance, const std::string& commandLine, int showCommand);
