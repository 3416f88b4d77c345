// The control-file key "configureWinRegistry": may the launcher write the JVM's registry entries?
#pragma once

#include <string>

#include "diag/trace.h"

/// The key of the control file and of "native.properties".
inline constexpr const char* ConfigureRegistryField = "configureWinRegistry";

/// The key's answer for a value: true for "true" or "yes" in any case, false otherwise.
bool configureRegistryValue(const std::string& value);

/// What one reading of "configureWinRegistry" found.
struct ConfigureRegistryResult {
    bool configure = true;   // the answer: true unless the key says otherwise
    bool fileOpened = false; // "qbx.control" or, failing that, "native.properties" was opened
    bool lineFound = false;  // a line began with the key
    std::string line;        // that line, as read
};

/// Reads the key from "qbx.control", else "native.properties", in the current directory:
/// true for "true" or "yes" in any case, false for any other value, true when the key or
/// both files are missing. Only the first line that begins with the key counts.
ConfigureRegistryResult readConfigureRegistry();

/// The answer of readConfigureRegistry, traced to traceFile as every reader of the key does;
/// callerLabel names the reader in the last trace line, e.g. "configWinReg in installer".
bool configureWinRegistry(const std::string& callerLabel, const std::string& traceFile = TraceFilename);
