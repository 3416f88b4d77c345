#include "platform/clock.h"

#include <ctime>
#include <time.h>

#include <windows.h>

namespace platform {

std::string localTimeText()
{
    __time64_t now = _time64(nullptr);
    const struct tm* local = _localtime64(&now);
    if (local == nullptr)
        return std::string();
    const char* text = std::asctime(local);
    if (text == nullptr)
        return std::string();
    std::string result(text);
    std::string::size_type newline = result.find('\n');
    if (newline != std::string::npos)
        result.erase(newline);
    return result;
}

std::uint64_t monotonicMilliseconds()
{
    return GetTickCount64();
}

} // namespace platform
