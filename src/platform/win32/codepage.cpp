#include "platform/codepage.h"

#include <windows.h>

#include <vector>

namespace platform {

bool utf16ToAnsi(const std::string& utf16le, std::string& ansi)
{
    ansi.clear();
    std::wstring wide(utf16le.size() / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(utf16le[2 * i]) |
                                       (static_cast<unsigned char>(utf16le[2 * i + 1]) << 8));
    if (wide.empty())
        return true;
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                   nullptr);
    if (size <= 0)
        return false;
    std::vector<char> buffer(size);
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), buffer.data(), size, nullptr,
                        nullptr);
    ansi.assign(buffer.data(), buffer.size());
    return true;
}

} // namespace platform
