// Texts in the system's single-byte (ANSI) code page, as packagers' files may hold them.
#pragma once

#include <string>

namespace platform {

/// The text of the ANSI code page as UTF-8, the form of every text inside the launcher. On
/// Linux the code page is UTF-8 already.
std::string ansiToUtf8(const std::string& ansi);

} // namespace platform
