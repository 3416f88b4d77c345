#include "platform/system.h"

#include <windows.h>

namespace platform {

std::uint32_t getVersion()
{
    return static_cast<std::uint32_t>(GetVersion());
}

} // namespace platform
