#include "exec/comparablepath.h"

#include <vector>

#include "exec/strutil.h"
#include "platform/pathidentity.h"

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

bool isPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isRootPath(const std::string& path)
{
    std::string text = path;
    while (text.size() > 1 && isPathSeparator(text.back()))
        text.pop_back();
    if (text.empty() || (text.size() == 1 && isPathSeparator(text[0])))
        return true;
    if (text.size() == 2 && text[1] == ':')
        return true;
    if (text.size() > 2 && isPathSeparator(text[0]) && isPathSeparator(text[1])) {
        // "\\server\share": a share hangs from its server like a drive.
        auto share = text.find_first_of("\\/", 2);
        return share == std::string::npos || text.find_first_of("\\/", share + 1) == std::string::npos;
    }
    return false;
}

std::string parentPath(const std::string& path)
{
    if (isRootPath(path))
        return path;
    std::string text = path;
    while (text.size() > 1 && isPathSeparator(text.back()))
        text.pop_back();
    auto last = text.find_last_of("\\/");
    if (last == std::string::npos)
        return path;
    // The root keeps its separator: the parent of "C:\a" is "C:\", of "/a" is "/".
    bool rootFollows = last == 0 || (last == 2 && text[1] == ':');
    return text.substr(0, rootFollows ? last + 1 : last);
}

bool liesWithin(const std::string& path, const std::string& dir)
{
    platform::FileIdentity outer;
    std::string resolved;
    if (dir.empty() || !platform::fileIdentity(dir, outer) || !platform::resolvePath(path, resolved))
        return false;
    for (;;) {
        platform::FileIdentity identity;
        if (platform::fileIdentity(resolved, identity) && identity == outer)
            return true;
        std::string parent = parentPath(resolved);
        if (parent == resolved)
            return false;
        resolved = parent;
    }
}

bool sameFile(const std::string& path, const std::string& other)
{
    platform::FileIdentity first, second;
    return platform::fileIdentity(path, first) && platform::fileIdentity(other, second) && first == second;
}

bool sameDirectory(const std::string& dir, const std::string& other)
{
    return equalsIgnoringCase(dir, other) || sameFile(dir, other);
}
