// Change notifications on a directory's file names: they wake the main thread's message loop.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// Notices files that appear in, disappear from or are renamed within one directory.
class FileNameWatch {
public:
    /// Starts watching; a directory that cannot be watched leaves the watch inactive.
    explicit FileNameWatch(const std::string& directory);
    ~FileNameWatch();
    FileNameWatch(const FileNameWatch&) = delete;
    FileNameWatch& operator=(const FileNameWatch&) = delete;

    /// true while changes are watched.
    bool active() const { return handle_ != Inactive; }
    /// What the message loop waits on: a change-notification handle (Windows), a descriptor (Linux).
    std::intptr_t handle() const { return handle_; }
    /// Takes the changes so far as seen: the handle signals again only for later ones. false when
    /// watching cannot go on (the watch is then inactive).
    bool rearm();

private:
    static constexpr std::intptr_t Inactive = -1;
    std::intptr_t handle_ = Inactive;
};

} // namespace platform
