#include "platform/foldertrust.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/paths.h"

namespace platform {

bool makeProtectedDir(const std::string& dir)
{
    // The umask can only take bits away: the folder never has group or other write.
    return ::mkdir(posix::nativePath(dir).c_str(), 0755) == 0;
}

FolderTrust folderTrust(const std::string& dir)
{
    struct ::stat info {};
    if (::lstat(posix::nativePath(dir).c_str(), &info) != 0)
        return FolderTrust::Unreadable;
    if (info.st_uid != 0 && info.st_uid != ::geteuid())
        return FolderTrust::ForeignOwner;
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0)
        return FolderTrust::OthersMayChange;
    return FolderTrust::Trusted;
}

} // namespace platform
