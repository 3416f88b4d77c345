#include "platform/clock.h"

#include <ctime>

namespace platform {

std::string localTimeText()
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    char text[64] = {};
    ::asctime_r(&local, text);
    std::string result = text;
    auto newline = result.find('\n');
    if (newline != std::string::npos)
        result.resize(newline);
    return result;
}

std::uint64_t monotonicMilliseconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

} // namespace platform
