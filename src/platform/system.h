// Answers about the running system.
#pragma once

#include <cstdint>

namespace platform {

/// The system's version word as GetVersion gives it (top bit clear on the NT family).
std::uint32_t getVersion();

} // namespace platform
