// Files in folders other users may share: created new under names no one can guess, or
// appended to only when what was opened is the very file meant.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <random>
#include <string>

#include "platform/files.h"
#include "platform/pathidentity.h"
#include "platform/posix/paths.h"

namespace platform {

bool probeWrite(const std::string& dir, const std::string& prefix)
{
    std::random_device random;
    std::string name = posix::nativePath(dir) + "/" + prefix + "." + std::to_string(::getpid()) + "." +
                       std::to_string(random()) + std::to_string(random());
    int file = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file == -1)
        return false;
    ::unlink(name.c_str());
    bool wrote = ::write(file, "ok", 2) == 2;
    ::close(file);
    return wrote;
}

std::FILE* openAppendExactly(const std::string& dir, const std::string& name)
{
    std::string resolvedDir;
    if (!resolvePath(dir, resolvedDir))
        return nullptr;
    int file = ::open(posix::nativePath(dir + "\\" + name).c_str(),
                      O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (file == -1)
        return nullptr;
    // Where the descriptor really leads: the system's own record of the open file.
    struct ::stat info {};
    char target[PATH_MAX];
    std::string link = "/proc/self/fd/" + std::to_string(file);
    ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    std::string expected = resolvedDir + (resolvedDir == "/" ? "" : "/") + name;
    bool exact = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 && length > 0 &&
                 std::string(target, static_cast<std::size_t>(length)) == expected;
    std::FILE* stream = exact ? ::fdopen(file, "ab") : nullptr;
    if (stream == nullptr)
        ::close(file);
    return stream;
}

} // namespace platform
