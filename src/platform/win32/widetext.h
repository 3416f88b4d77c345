// UTF-8 texts of the launcher for the wide-character functions of Windows.
#pragma once

#include <string>

namespace platform {

/// The UTF-8 text as UTF-16; invalid sequences become U+FFFD, so nothing is dropped silently.
std::wstring widen(const std::string& text);

} // namespace platform
