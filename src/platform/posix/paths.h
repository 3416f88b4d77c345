// Backend-internal: Windows-style paths of the core in Linux form.
#pragma once

#include <string>

namespace platform::posix {

/// The path with every backslash turned into a slash.
inline std::string nativePath(const std::string& path)
{
    std::string result = path;
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

} // namespace platform::posix
