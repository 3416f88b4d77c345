#include "platform/thread.h"

#include <system_error>
#include <thread>

namespace platform {

bool startThread(void (*body)(void*), void* argument)
{
    try {
        std::thread(body, argument).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace platform
