// Backend-internal: where an open handle really leads.
#pragma once

#include <string>

namespace platform::win32 {

/// true and the final path of the open file or directory (links resolved), in the form getCwd
/// answers (C:\x, \\server\share\x).
bool finalPath(void* handle, std::string& path);

} // namespace platform::win32
