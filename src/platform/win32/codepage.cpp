#include "platform/codepage.h"

#include <windows.h>

#include "platform/win32/widetext.h"

namespace platform {

std::string ansiToUtf8(const std::string& ansi)
{
    if (ansi.empty())
        return std::string();
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (length <= 0)
        return std::string();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return narrow(wide);
}

} // namespace platform
