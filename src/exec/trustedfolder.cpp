#include "exec/trustedfolder.h"

#include <vector>

#include "exec/comparablepath.h"
#include "platform/foldertrust.h"
#include "platform/pathidentity.h"

namespace {

const char* reasonText(platform::FolderTrust trust)
{
    switch (trust) {
    case platform::FolderTrust::ForeignOwner:
        return "owned by another user";
    case platform::FolderTrust::OthersMayChange:
        return "other users may change it";
    case platform::FolderTrust::Unreadable:
        return "its owner or access list cannot be read";
    case platform::FolderTrust::Trusted:
        break;
    }
    return "";
}

} // namespace

bool onlyTrustedCanChange(const std::string& folder, std::string& why)
{
    why.clear();
    std::string resolved;
    if (!platform::resolvePath(folder, resolved)) {
        why = folder + ": cannot be resolved";
        return false;
    }
    std::vector<std::string> levels;
    for (std::string level = resolved; !isRootPath(level); level = parentPath(level)) {
        levels.push_back(level);
        if (parentPath(level) == level)
            break; // a relative rest that has no parent: nothing above to judge
    }
    // From the top down: the first level others control explains the rest.
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        platform::FolderTrust trust = platform::folderTrust(*level);
        if (trust != platform::FolderTrust::Trusted) {
            why = *level + ": " + reasonText(trust);
            return false;
        }
    }
    return true;
}
