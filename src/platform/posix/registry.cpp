// The registry on Linux: a REGEDIT4 file named by QBX_REGISTRY (default ~/.quillbox/registry.reg).
#include "platform/registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "platform/posix/registryfile.h"

namespace platform {

namespace {

constexpr const char* RegistryVariable = "QBX_REGISTRY";
constexpr const char* DefaultDir = ".quillbox";
constexpr const char* DefaultFilename = "registry.reg";

// Marks a key opened for writing (RegKey::native has no other use here), so that a write
// through a key opened only for reading fails as it does on Windows.
char WritableTag;

// Every load-change-save runs under this lock: both threads of the program may use the registry.
std::mutex registryLock;

void report(const std::string& file, const std::string& what)
{
    std::fprintf(stderr, "registry file %s: %s\n", file.c_str(), what.c_str());
}

std::string registryFile()
{
    const char* named = std::getenv(RegistryVariable);
    if (named != nullptr && *named != '\0')
        return named;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr)
        return std::string();
    return std::string(home) + "/" + DefaultDir + "/" + DefaultFilename;
}

regfile::Document* inMemory = nullptr;

// true and the document; a missing file is an empty registry, an unreadable or malformed one
// an error (reported with file and line), never an empty registry.
bool load(const std::string& file, regfile::Document& document)
{
    if (inMemory != nullptr) {
        document = *inMemory;
        return true;
    }
    document.sections.clear();
    if (file.empty()) {
        std::fprintf(stderr, "registry: neither %s nor HOME is set\n", RegistryVariable);
        return false;
    }
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) {
        if (errno == ENOENT)
            return true;
        report(file, std::strerror(errno));
        return false;
    }
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, n);
    bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        report(file, "read error");
        return false;
    }
    regfile::ParseError error;
    if (!regfile::parse(text, document, error)) {
        report(file, "line " + std::to_string(error.line) + ": " + error.reason);
        return false;
    }
    return true;
}

// The registry as it stands, for reading: the document in memory, or the file loaded into
// storage; null when the file cannot be read.
const regfile::Document* current(regfile::Document& storage)
{
    if (inMemory != nullptr)
        return inMemory;
    return load(registryFile(), storage) ? &storage : nullptr;
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes a temporary file beside the registry file and renames it over: readers see the old
// or the new file, never a half-written one.
bool save(const std::string& file, const regfile::Document& document)
{
    if (inMemory != nullptr) {
        *inMemory = document;
        return true;
    }
    std::filesystem::path target(file);
    std::error_code ignored;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    std::string temporary = file + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        report(file, std::string("cannot create a temporary file: ") + std::strerror(errno));
        return false;
    }
    struct stat previous {};
    if (::stat(file.c_str(), &previous) == 0)
        fchmod(fd, previous.st_mode & 07777);
    else
        fchmod(fd, 0644);
    bool written = writeAll(fd, regfile::format(document)) && fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), file.c_str()) != 0) {
        report(file, std::string("cannot write: ") + std::strerror(errno));
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Where Windows keeps a machine key of the 32-bit view: SOFTWARE\X under SOFTWARE\WOW6432Node\X.
std::string viewPath(RegRoot root, const std::string& path, RegView view)
{
    constexpr std::size_t SoftwareLength = 8; // "SOFTWARE"
    if (view != RegView::Bits32 || root != RegRoot::LocalMachine || path.size() < SoftwareLength ||
        strncasecmp(path.c_str(), "SOFTWARE", SoftwareLength) != 0 ||
        (path.size() > SoftwareLength && path[SoftwareLength] != '\\'))
        return path;
    return path.substr(0, SoftwareLength) + "\\WOW6432Node" + path.substr(SoftwareLength);
}

bool writable(RegAccess access)
{
    return access != RegAccess::QueryValue && access != RegAccess::Read;
}

} // namespace

bool regOpenKey(RegRoot root, const std::string& path, RegAccess access, RegKey& key, RegView view)
{
    std::lock_guard<std::mutex> hold(registryLock);
    regfile::Document storage;
    const std::string stored = viewPath(root, path, view);
    if (!regfile::validPath(stored))
        return false;
    const regfile::Document* document = current(storage);
    if (document == nullptr || !regfile::keyExists(*document, root, stored))
        return false;
    key = RegKey{root, stored, writable(access) ? &WritableTag : nullptr, true};
    return true;
}

bool regQueryString(const RegKey& key, const std::string& name, std::string& value, size_t bufferSize)
{
    if (!key.open || bufferSize == 0)
        return false;
    std::lock_guard<std::mutex> hold(registryLock);
    regfile::Document storage;
    const regfile::Document* document = current(storage);
    if (document == nullptr)
        return false;
    const regfile::Value* found = regfile::findValue(*document, key.root, key.path, name);
    if (found == nullptr || !found->text)
        return false;
    value = found->data.substr(0, bufferSize - 1);
    return true;
}

bool regEnumSubkey(const RegKey& key, unsigned index, std::string& name)
{
    if (!key.open)
        return false;
    std::lock_guard<std::mutex> hold(registryLock);
    regfile::Document storage;
    const regfile::Document* document = current(storage);
    return document != nullptr && regfile::subkeyAt(*document, key.root, key.path, index, name);
}

bool regCreateKey(RegRoot root, const std::string& path, RegKey& key, RegAccess access)
{
    if (!regfile::validPath(path))
        return false;
    std::lock_guard<std::mutex> hold(registryLock);
    std::string file = registryFile();
    regfile::Document document;
    if (!load(file, document))
        return false;
    // A key that is already there, even only through its subkeys, needs no change of the file.
    if (!regfile::keyExists(document, root, path)) {
        regfile::addKey(document, root, path);
        if (!save(file, document))
            return false;
    }
    key = RegKey{root, path, writable(access) ? &WritableTag : nullptr, true};
    return true;
}

bool regSetString(const RegKey& key, const std::string& name, const std::string& value)
{
    if (!key.open || key.native != &WritableTag)
        return false;
    std::lock_guard<std::mutex> hold(registryLock);
    std::string file = registryFile();
    regfile::Document document;
    if (!load(file, document))
        return false;
    if (!regfile::setString(document, key.root, key.path, name, value)) {
        report(file, "a name or value with a line break cannot be stored");
        return false;
    }
    return save(file, document);
}

void regfile::useDocumentInMemory(regfile::Document* document)
{
    std::lock_guard<std::mutex> hold(registryLock);
    inMemory = document;
}

void regCloseKey(RegKey& key)
{
    key.native = nullptr;
    key.open = false;
}

} // namespace platform
