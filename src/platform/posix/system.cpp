#include "platform/system.h"

namespace platform {

std::uint32_t getVersion()
{
    // Stand-in: an NT-family system above Vista (6.2, build 9200); top bit clear means NT.
    return (9200u << 16) | (2u << 8) | 6u;
}

} // namespace platform
