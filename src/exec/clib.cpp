#include "exec/clib.h"

#include <vector>

#include "exec/fexists.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {
constexpr long ReadSize = 30000;      // bytes filled per read
constexpr long BufferSize = ReadSize + 1;
constexpr unsigned MaxBuffers = 20;   // bounds the memory of a copy whatever the file's size
constexpr const char* AllEntries = "*.*";

// Lets each read and write of a copy go straight to the system, ReadSize bytes at a time: the
// streams' own small buffers would split every one of them into two calls. Only on streams that
// have not been used yet.
void unbuffer(std::FILE* in, std::FILE* out)
{
    std::setvbuf(in, nullptr, _IONBF, 0);
    std::setvbuf(out, nullptr, _IONBF, 0);
}

} // namespace

bool isDir(const std::string& path)
{
    if (!fexists(path))
        return false;
    platform::FileStatus status;
    if (!platform::stat(path, status))
        return false;
    return status.isDirectory;
}

void getCurrentDir(std::string& dir, std::size_t size)
{
    if (!platform::getCwd(dir) || dir.size() > size) {
        // A directory longer than the path limit cannot be used as one: refuse rather than cut.
        dir.assign(1, '.'); // (assigning "." trips a false GCC 12 -Wrestrict warning)
        return;
    }
    if (dir.size() > 1 && dir.back() == '\\')
        dir.pop_back();
}

std::optional<std::string> getPathPtr()
{
    std::string value;
    for (const char* name : {"path", "PATH", "Path"})
        if (platform::getEnv(name, value))
            return value;
    return std::nullopt;
}

bool copyStream(std::FILE* in, std::FILE* out, CopyStreamStats* stats)
{
    CopyStreamStats local;
    CopyStreamStats& counts = stats != nullptr ? *stats : local;
    counts = CopyStreamStats{};
    if (in == nullptr || out == nullptr)
        return false;

    if (std::fseek(in, 0, SEEK_END) != 0)
        return false;
    long inputSize = std::ftell(in);
    if (inputSize < 0 || std::fseek(in, 0, SEEK_SET) != 0)
        return false; // not seekable, or beyond the 2 GiB the size can express

    unsigned bufferCount = static_cast<unsigned>(inputSize / ReadSize) + 1;
    if (bufferCount > MaxBuffers)
        bufferCount = MaxBuffers;
    std::vector<std::vector<char>> buffers(bufferCount, std::vector<char>(BufferSize));
    std::vector<size_t> filled(bufferCount);
    counts.buffers = bufferCount;

    while (!std::feof(in)) {
        ++counts.readPasses;
        unsigned used = 0;
        for (unsigned i = 0; i < bufferCount && !std::feof(in); ++i) {
            filled[i] = std::fread(buffers[i].data(), 1, ReadSize, in);
            ++used;
            // A read error never reaches end of file: without this the copy would loop forever.
            // A short read that is not the end counts as one too (some runtimes set no flag).
            if (std::ferror(in) || (filled[i] < static_cast<size_t>(ReadSize) && !std::feof(in)))
                return false;
        }
        if (used == 0 || filled[0] == 0)
            continue;
        for (unsigned i = 0; i < used && filled[i] != 0; ++i) {
            ++counts.writes;
            if (std::fwrite(buffers[i].data(), 1, filled[i], out) != filled[i])
                return false;
        }
    }
    if (std::fflush(out) != 0)
        return false;
    return std::ftell(out) == inputSize;
}

bool copyFile(const std::string& source, const std::string& destination)
{
    if (!fexists(source) || isDir(source))
        return false;
    std::FILE* in = platform::openFile(source, "rb");
    std::FILE* out = platform::openFile(destination, "wb");
    bool copied = false;
    if (in != nullptr && out != nullptr) {
        unbuffer(in, out);
        copied = copyStream(in, out);
        // A close that fails loses buffered bytes: that is a failed copy too.
        copied = std::fclose(out) == 0 && copied;
        out = nullptr;
    }
    if (out != nullptr)
        std::fclose(out);
    if (in != nullptr)
        std::fclose(in);
    if (!copied)
        platform::removeFile(destination); // never leave a partial or truncated copy
    else
        platform::copyRunPermission(source, destination);
    return copied;
}

bool enterTestedDirectory(const std::string& dir, const platform::FileIdentity& tested)
{
    std::string previous;
    getCurrentDir(previous);
    if (!platform::chDir(dir))
        return false;
    platform::FileIdentity entered;
    if (platform::fileIdentity(".", entered) && entered == tested)
        return true;
    platform::chDir(previous);
    return false;
}

bool delDirTree(const std::string& dir)
{
    platform::FileStatus status;
    platform::FileIdentity tested;
    if (!platform::stat(dir, status))
        return false;
    // A link is removed as a link: what it points to lies outside the tree.
    if (status.isLink)
        return platform::removeDir(dir) || platform::removeFile(dir);
    if (!platform::entryIdentity(dir, tested))
        return false;

    std::string previous;
    getCurrentDir(previous);
    // A directory that cannot be entered, or that is no longer the one tested (another user who
    // can write the tree may have put a link in its place), is left alone.
    if (!enterTestedDirectory(dir, tested))
        return false;

    bool result = true;
    platform::DirEnum entries;
    platform::DirEntry entry;
    bool more = entries.first(AllEntries, entry);
    while (more) {
        if (entry.name == "." || entry.name == "..") {
            more = entries.next(entry);
            continue;
        }
        // Names relative to the directory entered: nothing is reached through a path text again.
        if (entry.isDirectory && !entry.isLink) {
            platform::FileIdentity here;
            result = delDirTree(entry.name) && platform::fileIdentity(".", here) && here == tested;
            if (!result)
                break;
            more = entries.next(entry);
            continue;
        }
        // Files, and links of any kind (removed as links, never followed): the enumeration is
        // restarted after each removal.
        entries.close();
        result = entry.isDirectory ? platform::removeDir(entry.name) : platform::removeFile(entry.name);
        if (!result)
            break;
        more = entries.first(AllEntries, entry);
    }
    entries.close();
    platform::chDir(previous);
    platform::removeDir(dir);
    return result;
}

bool readWholeFile(const std::string& filename, std::string& text)
{
    std::FILE* in = platform::openFile(filename, "rb");
    if (!in)
        return false;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        text.append(buffer, n);
    bool read = !std::ferror(in);
    std::fclose(in);
    return read;
}
