// One key of "qbx.control" read on its own, for readers that have no control values at hand.
#pragma once

#include <string>

/// The value of the last line of "qbx.control" (current directory) that begins with the key,
/// after the key and its one separator character, as the reader of the whole file takes it;
/// empty when the file or the key is missing.
std::string readControlKey(const char* key);
