#include "launcher/safedelete.h"

#include "platform/files.h"
#include "platform/pathidentity.h"

namespace {

// Identities of the directory and of every parent up to its root. A protected directory that
// does not exist (yet) still protects its existing parents.
void addIdentityChain(const std::string& dir, std::vector<platform::FileIdentity>& chain)
{
    std::string current = dir;
    std::string resolved;
    while (!platform::resolvePath(current, resolved)) {
        std::string parent = parentPath(current);
        if (parent == current)
            return;
        current = parent;
    }
    for (;;) {
        platform::FileIdentity identity;
        if (platform::fileIdentity(resolved, identity))
            chain.push_back(identity);
        std::string parent = parentPath(resolved);
        if (parent == resolved)
            return;
        resolved = parent;
    }
}

} // namespace

bool isSafeToDeleteTree(const std::string& dir, const std::vector<std::string>& protectedDirs,
                        std::string& resolved)
{
    resolved.clear();
    std::string target;
    platform::FileIdentity targetIdentity;
    platform::FileStatus status;
    if (dir.empty() || !platform::resolvePath(dir, target) || isRootPath(target) ||
        !platform::fileIdentity(target, targetIdentity))
        return false;
    // The tree is deleted under its resolved name; a link named in place of the tree would
    // make that its target, which was never meant.
    std::string named = dir;
    while (named.size() > 1 && isPathSeparator(named.back()))
        named.pop_back();
    if (platform::stat(named, status) && status.isLink)
        return false;
    std::vector<platform::FileIdentity> kept;
    for (const std::string& protectedDir : protectedDirs)
        if (!protectedDir.empty())
            addIdentityChain(protectedDir, kept);
    for (const platform::FileIdentity& identity : kept)
        if (identity == targetIdentity)
            return false;
    resolved = target;
    return true;
}
