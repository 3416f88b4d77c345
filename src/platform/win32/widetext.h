// The launcher's texts are UTF-8; the system's wide-character functions take UTF-16.
#pragma once

#include <string>

namespace platform {

/// The UTF-8 text as UTF-16; a byte that starts no sequence becomes U+FFFD.
std::wstring widen(const std::string& text);
/// The UTF-16 text as UTF-8; a lone surrogate of a file name is kept (widen gives it back).
std::string narrow(const std::wstring& text);
/// The text up to its first NUL (a buffer the system filled) as UTF-8.
std::string narrow(const wchar_t* text);

} // namespace platform
