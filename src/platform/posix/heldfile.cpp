#include "platform/heldfile.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/posix/heldfiles.h"
#include "platform/posix/paths.h"

namespace platform {

namespace {

struct Held {
    std::string path; // absolute, normalized
    int descriptor;
};

std::mutex heldLock;
std::vector<Held> heldFiles;

std::string absolutePath(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::absolute(posix::nativePath(path), ignored).lexically_normal().string();
}

} // namespace

struct HeldFile::Impl {
    int descriptor = -1;
};

HeldFile::HeldFile() : impl(std::make_unique<Impl>()) {}

HeldFile::~HeldFile()
{
    close();
}

bool HeldFile::open(const std::string& path, std::string& errorText)
{
    close();
    impl->descriptor = ::open(posix::nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (impl->descriptor < 0) {
        errorText = std::strerror(errno);
        return false;
    }
    std::lock_guard<std::mutex> lock(heldLock);
    heldFiles.push_back({absolutePath(path), impl->descriptor});
    return true;
}

bool HeldFile::sha256(std::string& digest, std::string& errorText)
{
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (impl->descriptor < 0 || !context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
        errorText = impl->descriptor < 0 ? "file not held" : "SHA-256 not available";
        return false;
    }
    std::vector<unsigned char> buffer(1 << 16);
    off_t offset = 0;
    for (;;) {
        ssize_t count = ::pread(impl->descriptor, buffer.data(), buffer.size(), offset);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            errorText = std::strerror(errno);
            return false;
        }
        if (count == 0)
            break;
        EVP_DigestUpdate(context.get(), buffer.data(), static_cast<std::size_t>(count));
        offset += count;
    }
    unsigned char bytes[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), bytes, &length) != 1) {
        errorText = "SHA-256 failed";
        return false;
    }
    digest.assign(reinterpret_cast<const char*>(bytes), length);
    return true;
}

void HeldFile::close()
{
    if (impl->descriptor < 0)
        return;
    {
        std::lock_guard<std::mutex> lock(heldLock);
        std::erase_if(heldFiles, [&](const Held& held) { return held.descriptor == impl->descriptor; });
    }
    ::close(impl->descriptor);
    impl->descriptor = -1;
}

std::string posix::runPath(const std::string& program)
{
    const std::string path = absolutePath(program);
    std::lock_guard<std::mutex> lock(heldLock);
    for (const Held& held : heldFiles)
        if (held.path == path)
            // Our own descriptor, open while we wait for the child: a script's interpreter opens it too.
            return "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(held.descriptor);
    return program;
}

} // namespace platform
