// Time of day, and a clock for measuring how long something takes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// The local time as asctime renders it, without its newline (24 characters).
std::string localTimeText();
/// Milliseconds since a fixed moment, never going back: only differences mean anything.
std::uint64_t monotonicMilliseconds();

} // namespace platform
