#include "platform/filewatch.h"

#include <windows.h>

#include "platform/win32/widetext.h"

namespace platform {

FileNameWatch::FileNameWatch(const std::string& directory)
{
    // INVALID_HANDLE_VALUE, the failure, is the inactive value.
    handle_ = reinterpret_cast<std::intptr_t>(
        FindFirstChangeNotificationW(widen(directory).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
}

FileNameWatch::~FileNameWatch()
{
    if (active())
        FindCloseChangeNotification(reinterpret_cast<HANDLE>(handle_));
}

bool FileNameWatch::rearm()
{
    if (!active())
        return false;
    if (FindNextChangeNotification(reinterpret_cast<HANDLE>(handle_)))
        return true;
    FindCloseChangeNotification(reinterpret_cast<HANDLE>(handle_));
    handle_ = Inactive;
    return false;
}

} // namespace platform
