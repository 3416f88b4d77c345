// Texts in the system's single-byte (ANSI) code page, which every reader of the launcher expects.
#pragma once

#include <string>

namespace platform {

/// true and the text in the ANSI code page for UTF-16 little-endian bytes (no byte-order mark);
/// characters the code page lacks become its default character. On Linux the code page is UTF-8.
bool utf16ToAnsi(const std::string& utf16le, std::string& ansi);

} // namespace platform
