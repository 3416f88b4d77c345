// The control-file key "jvmArchitecture": which kind of JVM (64-bit, 32-bit or either) may be used.
#pragma once

#include <string>

#include "discovery/jvmbits.h"

/// The key of the control file.
inline constexpr const char* JvmArchitectureField = "jvmArchitecture";

/// The kind the value asks for: "64" Bits64, "32" Bits32; "any", an empty value and anything
/// else Unknown, which takes either kind.
JvmBits jvmArchitectureValue(const std::string& value);

/// The value as "qbx.control" in the current directory gives it (Unknown when missing).
JvmBits readJvmArchitecture();

/// " (64-bit)" or " (32-bit)" when the value asks for one kind, else "": added to the texts that
/// name the version the run needs.
std::string architectureSuffix(const std::string& value);
