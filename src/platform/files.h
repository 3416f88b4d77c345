// File-system services of the platform: existence, status, directories, files, enumeration.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace platform {

/// Newline as a text-mode file stores it: CR LF on Windows, LF on Linux.
extern const char* const TextNewline;

struct FileStatus {
    bool isDirectory = false;
    bool isLink = false; // symbolic link or junction (never followed by our tree walks)
    long long size = 0;
};

/// true when the path names an existing file or directory (_access with mode 0).
bool access(const std::string& path);
/// true when the status of the path could be read; a link is reported as a link, not followed.
bool stat(const std::string& path, FileStatus& status);
/// true and the current directory in dir (Windows form: backslashes), else false.
bool getCwd(std::string& dir);
/// true when the directory became the current directory.
bool chDir(const std::string& dir);
/// true when the directory was created.
bool makeDir(const std::string& dir);
/// true when the (empty) directory, or a directory link itself, was removed.
bool removeDir(const std::string& dir);
/// true when the file (or a file link itself) was removed.
bool removeFile(const std::string& path);
/// true when the file was renamed.
bool renameFile(const std::string& from, const std::string& to);
/// Gives a copied file the source's permission to run where the system keeps one (Linux).
void copyRunPermission(const std::string& from, const std::string& to);
/// the opened stream, or null; mode as for fopen, "t" meaning text mode.
std::FILE* openFile(const std::string& path, const char* mode);
/// true when a new file, named prefix and a part no one can guess, could be created in dir
/// (created new: never through a link someone placed), written, and was removed again.
bool probeWrite(const std::string& dir, const std::string& prefix);
/// The file dir\name opened for appending (created when missing), only when what was opened is
/// that plain file itself: no link or reparse point, no second name, and its final path is the
/// resolved directory and the name. null otherwise, and nothing was written.
std::FILE* openAppendExactly(const std::string& dir, const std::string& name);

struct DirEntry {
    std::string name;
    bool isDirectory = false;
    bool isLink = false;
};

/// Enumerates the entries that match a pattern such as "dir\*.log" or "*.*"
/// ("*.*" matches every name, as on Windows; "." and ".." are delivered too).
class DirEnum {
public:
    DirEnum();
    ~DirEnum();
    DirEnum(const DirEnum&) = delete;
    DirEnum& operator=(const DirEnum&) = delete;
    /// true when the enumeration started and entry holds its first match.
    bool first(const std::string& pattern, DirEntry& entry);
    /// true when entry holds the next match.
    bool next(DirEntry& entry);
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace platform
