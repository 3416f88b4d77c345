#include "platform/filewatch.h"

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

#include "platform/posix/paths.h"

namespace platform {

FileNameWatch::FileNameWatch(const std::string& directory)
{
    // Not inherited: a child that outlives us must not keep the watch alive.
    int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0)
        return;
    constexpr std::uint32_t FileNames = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;
    if (::inotify_add_watch(descriptor, posix::nativePath(directory).c_str(), FileNames) < 0) {
        ::close(descriptor);
        return;
    }
    handle_ = descriptor;
}

FileNameWatch::~FileNameWatch()
{
    if (active())
        ::close(static_cast<int>(handle_));
}

bool FileNameWatch::rearm()
{
    if (!active())
        return false;
    // The events themselves do not matter, only that they are consumed.
    alignas(inotify_event) char events[4096];
    for (;;) {
        ssize_t got = ::read(static_cast<int>(handle_), events, sizeof events);
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        if (got < 0 && errno == EAGAIN)
            return true;
        ::close(static_cast<int>(handle_));
        handle_ = Inactive;
        return false;
    }
}

} // namespace platform
