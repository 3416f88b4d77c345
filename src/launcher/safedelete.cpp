#include "launcher/safedelete.h"

#include "exec/strutil.h"

namespace {

bool isAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// A drive ("c:") or a share ("\\server\share") is the root a path hangs from.
bool isRootOnly(const std::string& comparable)
{
    if (comparable.empty())
        return true;
    if (comparable.size() == 2 && comparable[1] == ':')
        return true;
    if (beginsWith(comparable, "\\\\")) {
        auto share = comparable.find('\\', 2);
        return share == std::string::npos || comparable.find('\\', share + 1) == std::string::npos;
    }
    return false;
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

bool isSafeToDeleteTree(const std::string& dir, const std::string& currentDir,
                        const std::vector<std::string>& protectedDirs)
{
    if (dir.empty())
        return false;
    std::string target = comparablePath(dir, currentDir);
    if (isRootOnly(target))
        return false;
    for (const std::string& kept : protectedDirs) {
        if (kept.empty())
            continue;
        std::string other = comparablePath(kept, currentDir);
        if (other == target || beginsWith(other, target + "\\"))
            return false;
    }
    return true;
}
