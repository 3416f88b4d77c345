#include "platform/thread.h"

#include <process.h>

namespace platform {

bool startThread(void (*body)(void*), void* argument)
{
    // _beginthread (not CreateThread) so that the runtime library is set up for the thread.
    return _beginthread(body, 0, argument) != static_cast<uintptr_t>(-1);
}

} // namespace platform
