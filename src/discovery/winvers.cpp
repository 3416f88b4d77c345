#include "discovery/winvers.h"

#include <cstdint>

#include "platform/system.h"

namespace {

constexpr std::uint32_t NotNtBit = 0x80000000u;
constexpr std::uint32_t LastUnsupportedMajor = 3;

} // namespace

bool WinVersion::winNT()
{
    if (known)
        return nt;
    std::uint32_t version = platform::getVersion();
    if ((version & NotNtBit) == 0)
        nt = true;
    else if ((version & 0xffu) <= LastUnsupportedMajor)
        traceMessage(TraceFilename, "Bad version of windows");
    known = true;
    return nt;
}
