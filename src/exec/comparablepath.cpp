#include "exec/comparablepath.h"

#include <vector>

#include "exec/strutil.h"

namespace {

bool isAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

} // namespace

std::string comparablePath(const std::string& dir, const std::string& currentDir)
{
    std::string path = isAbsolute(dir) ? dir : currentDir + "\\" + dir;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    path = toLower(path);
    std::string prefix;
    std::string::size_type start = 0;
    if (beginsWith(path, "\\\\")) {
        prefix = "\\\\";
        start = 2;
    } else if (path.size() >= 2 && path[1] == ':') {
        prefix = path.substr(0, 2);
        start = 2;
    }
    std::vector<std::string> parts;
    while (start <= path.size()) {
        auto end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result = prefix == "\\\\" ? "" : prefix;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 || prefix != "\\\\")
            result += "\\";
        else
            result += "\\\\";
        result += parts[i];
    }
    return result;
}
