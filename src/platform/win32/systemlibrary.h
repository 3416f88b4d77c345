// Backend-internal: DLLs loaded at run time, never through the import table.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

/// The DLL of that name from the system directory only, whatever the search order of this
/// system (the program runs elevated from a download folder); null when it cannot be loaded.
HMODULE loadSystemLibrary(const std::string& name);

} // namespace platform
