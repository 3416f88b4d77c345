#include "launcher/safedelete.h"

#include "exec/strutil.h"

namespace {

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
