// Who may change a folder: the launcher runs elevated, and other users of the machine are not
// trusted with what it runs, installs or registers.
#pragma once

#include <string>

namespace platform {

/// The answer of folderTrust for one existing folder.
enum class FolderTrust {
    Trusted,         // owned by, and changeable by, no one but administrators, the system and us
    ForeignOwner,    // owned by someone else (who may change its access list at will)
    OthersMayChange, // someone else may add, remove, rename or re-permit what is in it
    Unreadable,      // its owner or access list could not be read
};

/// Creates one directory that administrators and the system may change and every user may read
/// and run, owned by the Administrators group (Linux: no group or other write bits). The list is
/// part of the creation: there is no moment in which another user could open it for writing.
/// true when the directory was created.
bool makeProtectedDir(const std::string& dir);

/// What the system says of who owns and may change this one folder (no link followed: pass a
/// resolved path). Linux: owner root or us, no group or other write bit unless the sticky bit
/// makes it like a drive root, where each may change only what is their own.
FolderTrust folderTrust(const std::string& dir);

} // namespace platform
