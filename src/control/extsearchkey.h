// The control-file key "extendedJvmSearch": may the launcher look beyond the JavaSoft keys?
#pragma once

#include <string>

/// The key of the control file.
inline constexpr const char* ExtendedJvmSearchField = "extendedJvmSearch";

/// The key's answer for a value: false for "false" or "no" in any case, true otherwise
/// (an absent key, an empty value, anything else): the search is on unless switched off.
bool extendedJvmSearchValue(const std::string& value);

/// The answer as "qbx.control" in the current directory gives it, for readers that have no
/// control values at hand: the last line that begins with the key counts, as for the reader
/// of the whole file; true when the file or the key is missing.
bool readExtendedJvmSearch();
