// The Java installer's manifest as the clean-up reads it: which files it lists.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

/// The file a manifest line names: the text after "Name: " at the first column (case-sensitive)
/// with trailing line feeds, carriage returns and blanks cut; "" for any other line.
std::string manifestEntryName(const std::string& line);

/// The names of every "Name: " line of the stream, in file order, empty ones left out. A long
/// name continued on the next line counts under its first part only.
std::vector<std::string> readManifestNames(std::FILE* in);

/// true when a manifest name may be deleted from the working directory: relative, without a
/// drive, without "." or ".." parts (so it cannot climb out), not empty.
bool isSafeManifestName(const std::string& name);
