// The main thread's wait on the marker files: messages keep flowing, and the markers are tested
// after every message, every change of their directory's file names and every tick of a slow
// timer, the safety net for a change notice that is lost or late.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "platform/filewatch.h"
#include "platform/ui.h"

class MarkerWait {
public:
    enum class End { Done, TimeUp, Quit };
    static constexpr std::uint64_t NoLimit = std::numeric_limits<std::uint64_t>::max();

    /// Watches directory, the one that holds the markers; the timer, of safetyPeriod ms, goes to host.
    MarkerWait(platform::WindowHandle host, const std::string& directory, unsigned safetyPeriod);

    /// Handles messages until done() holds (Done), limit ms have passed (TimeUp) or the quit
    /// message arrives (Quit, the timer still running). done() is tested first and after each wake.
    End until(const std::function<bool()>& done, std::uint64_t limit = NoLimit);

private:
    platform::WindowHandle host_;
    unsigned safetyPeriod_;
    platform::FileNameWatch watch_;
};
