#include "platform/heldfile.h"

#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "platform/win32/systemlibrary.h"
#include "platform/win32/widetext.h"

namespace platform {

namespace {

// The CNG functions used, from bcrypt.dll loaded at run time: bcrypt.dll is no known DLL, so an
// imported one would be looked for in the program's folder (the download folder) first.
struct Cng {
    HMODULE module = loadSystemLibrary("bcrypt.dll");
    template <typename Function>
    Function* get(const char* name) const
    {
        return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    }
    decltype(&BCryptOpenAlgorithmProvider) open = get<decltype(BCryptOpenAlgorithmProvider)>("BCryptOpenAlgorithmProvider");
    decltype(&BCryptCloseAlgorithmProvider) closeProvider =
        get<decltype(BCryptCloseAlgorithmProvider)>("BCryptCloseAlgorithmProvider");
    decltype(&BCryptGetProperty) property = get<decltype(BCryptGetProperty)>("BCryptGetProperty");
    decltype(&BCryptCreateHash) create = get<decltype(BCryptCreateHash)>("BCryptCreateHash");
    decltype(&BCryptHashData) hash = get<decltype(BCryptHashData)>("BCryptHashData");
    decltype(&BCryptFinishHash) finish = get<decltype(BCryptFinishHash)>("BCryptFinishHash");
    decltype(&BCryptDestroyHash) destroy = get<decltype(BCryptDestroyHash)>("BCryptDestroyHash");
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE handle = nullptr;
    std::vector<UCHAR> object;

    ~Cng()
    {
        if (handle)
            destroy(handle);
        if (algorithm)
            closeProvider(algorithm, 0);
        if (module)
            FreeLibrary(module);
    }
    /// true when a SHA-256 computation has begun.
    bool begin()
    {
        if (!open || !closeProvider || !property || !create || !hash || !finish || !destroy ||
            !BCRYPT_SUCCESS(open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
            return false;
        DWORD size = 0;
        ULONG written = 0;
        if (!BCRYPT_SUCCESS(property(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&size), sizeof size,
                                     &written, 0)))
            return false;
        object.resize(size);
        return BCRYPT_SUCCESS(create(algorithm, &handle, object.data(), size, nullptr, 0, 0));
    }
};

std::string errorText(const char* what)
{
    return std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
}

} // namespace

struct HeldFile::Impl {
    HANDLE file = INVALID_HANDLE_VALUE;
};

HeldFile::HeldFile() : impl(std::make_unique<Impl>()) {}

HeldFile::~HeldFile()
{
    close();
}

bool HeldFile::open(const std::string& path, std::string& errorText)
{
    close();
    // Read sharing only: writing, renaming and deleting fail for everyone while it is held.
    impl->file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (impl->file == INVALID_HANDLE_VALUE) {
        errorText = platform::errorText("cannot open");
        return false;
    }
    return true;
}

bool HeldFile::sha256(std::string& digest, std::string& errorText)
{
    Cng cng;
    if (impl->file == INVALID_HANDLE_VALUE || !cng.begin()) {
        errorText = platform::errorText("SHA-256 not available");
        return false;
    }
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(impl->file, start, nullptr, FILE_BEGIN)) {
        errorText = platform::errorText("cannot read");
        return false;
    }
    std::vector<UCHAR> buffer(1 << 16);
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(impl->file, buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr)) {
            errorText = platform::errorText("cannot read");
            return false;
        }
        if (count == 0)
            break;
        if (!BCRYPT_SUCCESS(cng.hash(cng.handle, buffer.data(), count, 0))) {
            errorText = "SHA-256 failed";
            return false;
        }
    }
    UCHAR bytes[32];
    if (!BCRYPT_SUCCESS(cng.finish(cng.handle, bytes, sizeof bytes, 0))) {
        errorText = "SHA-256 failed";
        return false;
    }
    digest.assign(reinterpret_cast<const char*>(bytes), sizeof bytes);
    return true;
}

void HeldFile::close()
{
    if (impl->file != INVALID_HANDLE_VALUE)
        CloseHandle(impl->file);
    impl->file = INVALID_HANDLE_VALUE;
}

} // namespace platform
