// File and directory utilities.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/pathidentity.h"

/// Paths are cut to this many characters (data-model limit of the path buffers).
inline constexpr std::size_t MaxPathLength = 5000;

/// true when the path exists and is a directory.
bool isDir(const std::string& path);
/// The current directory without a trailing backslash (a drive root as "C:"), cut to size
/// characters; "." when it cannot be read.
void getCurrentDir(std::string& dir, std::size_t size = MaxPathLength);
/// The search path ("path", else "PATH", else "Path"), or nothing.
std::optional<std::string> getPathPtr();

/// Copy statistics of the last copyStream on this thread (for tests and benchmarks).
struct CopyStreamStats {
    unsigned buffers = 0;    // buffers allocated
    unsigned readPasses = 0; // read passes made
    unsigned writes = 0;     // write calls made
};
/// true when every byte was written and the output position equals the input's size.
bool copyStream(std::FILE* in, std::FILE* out, CopyStreamStats* stats = nullptr);
/// true and the file's bytes appended to text when it could be read whole.
bool readWholeFile(const std::string& filename, std::string& text);
/// true when the destination is a complete copy; on failure no destination is left.
bool copyFile(const std::string& source, const std::string& destination);
/// true when every entry inside dir was removed; links are removed, never followed.
bool delDirTree(const std::string& dir);
/// true when dir became the current directory and is the directory whose identity was tested;
/// otherwise the current directory is as before.
bool enterTestedDirectory(const std::string& dir, const platform::FileIdentity& tested);
