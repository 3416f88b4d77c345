#include "platform/files.h"

#include <cstdlib>
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "platform/win32/widetext.h"

namespace platform {

const char* const TextNewline = "\r\n";

namespace {

/// true under Wine, whose ntdll tells its version.
bool runningOnWine()
{
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

} // namespace

bool access(const std::string& path)
{
    return _waccess(widen(path).c_str(), 0) == 0;
}

bool stat(const std::string& path, FileStatus& status)
{
    // A link is answered from its own attributes: following it could leave the tree we walk.
    DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        status.isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        status.isLink = true;
        status.size = 0;
        return true;
    }
    struct _stat64 info;
    if (_wstat64(widen(path).c_str(), &info) != 0)
        return false;
    status.isDirectory = (info.st_mode & _S_IFMT) == _S_IFDIR;
    status.isLink = false;
    status.size = info.st_size;
    return true;
}

bool getCwd(std::string& dir)
{
    wchar_t* current = _wgetcwd(nullptr, 0); // sized by the runtime: no length limit of ours here
    if (current == nullptr)
        return false;
    dir = narrow(current);
    std::free(current);
    return true;
}

bool chDir(const std::string& dir)
{
    return _wchdir(widen(dir).c_str()) == 0;
}

bool makeDir(const std::string& dir)
{
    return _wmkdir(widen(dir).c_str()) == 0;
}

bool removeDir(const std::string& dir)
{
    // RemoveDirectory (behind _rmdir) removes a junction or directory link itself on Windows.
    // Wine, where our tests run, removes an empty target instead: there a link is refused.
    if (runningOnWine()) {
        DWORD attributes = GetFileAttributesW(widen(dir).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return false;
    }
    return _wrmdir(widen(dir).c_str()) == 0;
}

bool removeFile(const std::string& path)
{
    // DeleteFile (behind remove) deletes a file link itself, never its target.
    return _wremove(widen(path).c_str()) == 0;
}

bool renameFile(const std::string& from, const std::string& to)
{
    return _wrename(widen(from).c_str(), widen(to).c_str()) == 0;
}

void copyRunPermission(const std::string&, const std::string&)
{
    // Windows decides by the name whether a file can run: nothing to carry over.
}

std::FILE* openFile(const std::string& path, const char* mode)
{
    return _wfopen(widen(path).c_str(), widen(mode).c_str());
}

struct DirEnum::Impl {
    intptr_t handle = -1;
};

namespace {

void fill(const _wfinddata64_t& found, DirEntry& entry)
{
    entry.name = narrow(found.name);
    entry.isDirectory = (found.attrib & _A_SUBDIR) != 0;
    entry.isLink = (found.attrib & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

} // namespace

DirEnum::DirEnum() : impl(std::make_unique<Impl>()) {}

DirEnum::~DirEnum()
{
    close();
}

bool DirEnum::first(const std::string& pattern, DirEntry& entry)
{
    close();
    _wfinddata64_t found;
    impl->handle = _wfindfirst64(widen(pattern).c_str(), &found);
    if (impl->handle == -1)
        return false;
    fill(found, entry);
    return true;
}

bool DirEnum::next(DirEntry& entry)
{
    if (impl->handle == -1)
        return false;
    _wfinddata64_t found;
    if (_wfindnext64(impl->handle, &found) != 0)
        return false;
    fill(found, entry);
    return true;
}

void DirEnum::close()
{
    if (impl->handle != -1) {
        _findclose(impl->handle);
        impl->handle = -1;
    }
}

} // namespace platform
