#include "platform/codepage.h"

namespace platform {

std::string ansiToUtf8(const std::string& ansi)
{
    return ansi;
}

} // namespace platform
