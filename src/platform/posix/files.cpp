#include "platform/files.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "platform/posix/paths.h"

namespace platform {

using posix::nativePath;

const char* const TextNewline = "\n";

bool access(const std::string& path)
{
    return ::access(nativePath(path).c_str(), F_OK) == 0;
}

bool stat(const std::string& path, FileStatus& status)
{
    struct ::stat linkInfo {};
    std::string native = nativePath(path);
    if (::lstat(native.c_str(), &linkInfo) != 0)
        return false;
    status.isLink = S_ISLNK(linkInfo.st_mode);
    struct ::stat info = linkInfo;
    if (status.isLink && ::stat(native.c_str(), &info) != 0)
        info = linkInfo; // a dangling link is still a link
    status.isDirectory = S_ISDIR(info.st_mode);
    status.size = info.st_size;
    return true;
}

bool getCwd(std::string& dir)
{
    std::vector<char> buffer(PATH_MAX + 1);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return false;
    dir = buffer.data();
    return true;
}

bool chDir(const std::string& dir)
{
    return ::chdir(nativePath(dir).c_str()) == 0;
}

bool makeDir(const std::string& dir)
{
    return ::mkdir(nativePath(dir).c_str(), 0777) == 0;
}

bool removeDir(const std::string& dir)
{
    std::string native = nativePath(dir);
    struct ::stat info {};
    // A link to a directory is removed as a link: its target is never touched.
    if (::lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return ::unlink(native.c_str()) == 0;
    return ::rmdir(native.c_str()) == 0;
}

bool removeFile(const std::string& path)
{
    std::string native = nativePath(path);
    struct ::stat info {};
    if (::lstat(native.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return false; // remove() of a directory fails on Windows too
        // Windows refuses to delete a read-only file; keep that behaviour here.
        if (!S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0)
            return false;
    }
    return ::unlink(native.c_str()) == 0;
}

bool renameFile(const std::string& from, const std::string& to)
{
    return ::rename(nativePath(from).c_str(), nativePath(to).c_str()) == 0;
}

void copyRunPermission(const std::string& from, const std::string& to)
{
    struct ::stat info {};
    if (::stat(nativePath(from).c_str(), &info) == 0)
        ::chmod(nativePath(to).c_str(), info.st_mode & 07777);
}

std::FILE* openFile(const std::string& path, const char* mode)
{
    std::string plainMode;
    for (const char* m = mode; *m; ++m)
        if (*m != 't')
            plainMode += *m;
    return std::fopen(nativePath(path).c_str(), plainMode.c_str());
}

struct DirEnum::Impl {
    DIR* dir = nullptr;
    std::string directory;
    std::string pattern;
};

DirEnum::DirEnum() : impl(std::make_unique<Impl>()) {}

DirEnum::~DirEnum()
{
    close();
}

bool DirEnum::first(const std::string& pattern, DirEntry& entry)
{
    close();
    std::string native = nativePath(pattern);
    auto slash = native.rfind('/');
    impl->directory = slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
    impl->pattern = slash == std::string::npos ? native : native.substr(slash + 1);
    impl->dir = ::opendir(impl->directory.c_str());
    if (impl->dir == nullptr)
        return false;
    if (next(entry))
        return true;
    close();
    return false;
}

bool DirEnum::next(DirEntry& entry)
{
    if (impl->dir == nullptr)
        return false;
    while (struct dirent* found = ::readdir(impl->dir)) {
        std::string name = found->d_name;
        // "*.*" matches every name on Windows, also names without a dot; names compare without case.
        bool matches = impl->pattern == "*.*" || impl->pattern == "*" ||
                       ::fnmatch(impl->pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
        if (!matches)
            continue;
        entry = DirEntry{};
        entry.name = name;
        // The entry's type as the directory records it spares a status query per entry (tree
        // walks restart the enumeration after each removal); links, and file systems that do not
        // record types, are asked.
        if (found->d_type == DT_DIR) {
            entry.isDirectory = true;
            return true;
        }
        if (found->d_type != DT_UNKNOWN && found->d_type != DT_LNK)
            return true;
        FileStatus status;
        if (stat(impl->directory + "/" + name, status)) {
            entry.isDirectory = status.isDirectory;
            entry.isLink = status.isLink;
        }
        return true;
    }
    return false;
}

void DirEnum::close()
{
    if (impl && impl->dir != nullptr) {
        ::closedir(impl->dir);
        impl->dir = nullptr;
    }
}

} // namespace platform
