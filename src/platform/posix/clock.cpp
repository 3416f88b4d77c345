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

} // namespace platform
