// Time of day.
#pragma once

#include <string>

namespace platform {

/// The local time as asctime renders it, without its newline (24 characters).
std::string localTimeText();

} // namespace platform
