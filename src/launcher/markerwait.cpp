#include "launcher/markerwait.h"

#include "platform/clock.h"

namespace {
constexpr unsigned TimerId = 1;
} // namespace

MarkerWait::MarkerWait(platform::WindowHandle host, const std::string& directory, unsigned safetyPeriod)
    : host_(host), safetyPeriod_(safetyPeriod), watch_(directory)
{
}

MarkerWait::End MarkerWait::until(const std::function<bool()>& done, std::uint64_t limit)
{
    // A marker that went during the previous phase ends this one at once, not at the next wake.
    if (done())
        return End::Done;
    const std::uint64_t start = platform::monotonicMilliseconds();
    platform::startTimer(host_, TimerId, safetyPeriod_);
    while (platform::pumpMessage(&watch_)) {
        // Measured, not counted in messages: a busy queue must not cut a grace period short.
        bool finished = done();
        if (finished || platform::monotonicMilliseconds() - start >= limit) {
            platform::killTimer(host_, TimerId);
            return finished ? End::Done : End::TimeUp;
        }
    }
    return End::Quit;
}
