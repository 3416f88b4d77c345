// Texts for the runtime library's error numbers of a failed program start.
#pragma once

#include <string>

/// "File or path is not found" for 2, ... "Unknown error" for numbers not in the table.
std::string spawnErrorText(int errorNumber);
