// Backend-internal: the files HeldFile holds, for the program starts of process.cpp.
#pragma once

#include <string>

namespace platform::posix {

/// The name under which a program path (Linux form, relative to the current directory or
/// full) is started: the held file's open descriptor when the path names a held file, so that
/// what runs is what was checked; otherwise the path itself.
std::string runPath(const std::string& program);

} // namespace platform::posix
