// Threads.
#pragma once

namespace platform {

/// true when a detached thread running body(argument) was started (_beginthread).
bool startThread(void (*body)(void*), void* argument);

} // namespace platform
