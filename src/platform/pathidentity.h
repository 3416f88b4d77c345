// What the system says a path really is: its resolved form and the identity of what it names.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// The identity of a file or directory: equal for every spelling of the same one
/// (volume and file index on Windows, device and inode on Linux).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

/// true and the absolute path of an existing file or directory as the system resolves it:
/// relative and drive-relative names, "." and "..", trailing dots and blanks, short names and
/// links all resolved, in the form getCwd answers. false when the path cannot be resolved.
bool resolvePath(const std::string& path, std::string& resolved);

/// true and the identity of the existing file or directory the path leads to (links followed).
bool fileIdentity(const std::string& path, FileIdentity& identity);
/// true and the identity of the entry the path names itself: a link's own, not its target's.
bool entryIdentity(const std::string& path, FileIdentity& identity);

} // namespace platform
