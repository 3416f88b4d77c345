// UTF-8, the form every text of the launcher takes inside, and the forms it meets outside:
// the system's UTF-16, the \uXXXX escapes of Java's properties files, and UTF-8 log files.
#pragma once

#include <string>

/// UTF-16 code units as UTF-8. A lone surrogate (Windows allows one in a file name) is kept as
/// its three-byte form, so that utf8ToUtf16 gives the very name back.
std::string utf16ToUtf8(const std::u16string& units);
/// UTF-8 as UTF-16 code units; a byte that starts no sequence becomes U+FFFD.
std::u16string utf8ToUtf16(const std::string& text);
/// UTF-16 little-endian bytes (no byte-order mark) as UTF-8; an odd last byte is dropped.
std::string utf16leToUtf8(const std::string& bytes);
/// The bytes of a text file written by a packager or an outer stage, as UTF-8: after a UTF-8
/// byte-order mark as they are, after a UTF-16 one (FF FE) converted, else in the ANSI code page.
std::string textFileUtf8(const std::string& bytes);
/// Every character outside ASCII as \uXXXX (UTF-16 units, as java.util.Properties reads them).
std::string escapeNonAscii(const std::string& text);
/// The \uXXXX escapes of a properties line back as characters; other text is left as it is.
std::string unescapeUnicode(const std::string& text);
/// The text for a UTF-8 log: valid UTF-8 as it is, a lone surrogate as \uXXXX and a stray byte
/// as \xNN, so that no character of a path is lost.
std::string loggableText(const std::string& text);
