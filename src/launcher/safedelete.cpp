#include "launcher/safedelete.h"

#include "platform/files.h"
#include "platform/pathidentity.h"

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

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

bool isRootPath(const std::string& path)
{
    std::string text = path;
    while (text.size() > 1 && isSeparator(text.back()))
        text.pop_back();
    if (text.empty() || (text.size() == 1 && isSeparator(text[0])))
        return true;
    if (text.size() == 2 && text[1] == ':')
        return true;
    if (text.size() > 2 && isSeparator(text[0]) && isSeparator(text[1])) {
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
    while (text.size() > 1 && isSeparator(text.back()))
        text.pop_back();
    auto last = text.find_last_of("\\/");
    if (last == std::string::npos)
        return path;
    // The root keeps its separator: the parent of "C:\a" is "C:\", of "/a" is "/".
    bool rootFollows = last == 0 || (last == 2 && text[1] == ':');
    return text.substr(0, rootFollows ? last + 1 : last);
}

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
    while (named.size() > 1 && isSeparator(named.back()))
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
