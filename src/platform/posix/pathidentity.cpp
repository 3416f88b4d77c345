#include "platform/pathidentity.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "platform/posix/paths.h"

namespace platform {

bool resolvePath(const std::string& path, std::string& resolved)
{
    if (path.empty())
        return false;
    char buffer[PATH_MAX];
    if (::realpath(posix::nativePath(path).c_str(), buffer) == nullptr)
        return false;
    resolved = buffer;
    return true;
}

namespace {

bool identityOf(const std::string& path, FileIdentity& identity, int (*query)(const char*, struct ::stat*))
{
    struct ::stat info {};
    if (path.empty() || query(posix::nativePath(path).c_str(), &info) != 0)
        return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

} // namespace

bool fileIdentity(const std::string& path, FileIdentity& identity)
{
    return identityOf(path, identity, ::stat);
}

bool entryIdentity(const std::string& path, FileIdentity& identity)
{
    return identityOf(path, identity, ::lstat);
}

} // namespace platform
