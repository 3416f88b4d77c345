// Test helper: the user's "LocaleName" set for one scope. On Linux the registry is a file in a
// temporary directory (QBX_REGISTRY); on Windows the real value is set and restored afterwards.
#pragma once

#include <string>

#include "platform/process.h"
#include "platform/registry.h"
#include "testing/tempdir.h"

namespace testing_support {

class ScopedLocale {
public:
    explicit ScopedLocale(const std::string& localeName)
    {
        hadVariable_ = platform::getEnv(RegistryVariable, previousVariable_);
        platform::putEnv(std::string(RegistryVariable) + "=" + registryFile().string());
        platform::RegKey key;
        if (platform::regOpenKey(platform::RegRoot::CurrentUser, InternationalKey, platform::RegAccess::QueryValue,
                                 key)) {
            hadValue_ = platform::regQueryString(key, LocaleNameValue, previousValue_);
            platform::regCloseKey(key);
        }
        ok_ = set(localeName);
    }
    ~ScopedLocale()
    {
        // A value that was missing cannot be deleted through the platform layer; empty is
        // equivalent for every reader (both mean English).
        set(hadValue_ ? previousValue_ : std::string());
        platform::putEnv(std::string(RegistryVariable) + "=" + (hadVariable_ ? previousVariable_ : std::string()));
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    /// true when the value given to the constructor was stored.
    bool ok() const { return ok_; }
    /// true when the value was stored.
    bool set(const std::string& localeName)
    {
        platform::RegKey key;
        if (!platform::regCreateKey(platform::RegRoot::CurrentUser, InternationalKey, key))
            return false;
        bool stored = platform::regSetString(key, LocaleNameValue, localeName);
        platform::regCloseKey(key);
        return stored;
    }
    /// The stand-in registry file (Linux only; Windows uses the real registry).
    std::filesystem::path registryFile() const { return dir_.path() / "registry.reg"; }

private:
    static constexpr const char* RegistryVariable = "QBX_REGISTRY";
    static constexpr const char* InternationalKey = "Control Panel\\International";
    static constexpr const char* LocaleNameValue = "LocaleName";

    TempDir dir_;
    bool hadVariable_ = false;
    std::string previousVariable_;
    bool hadValue_ = false;
    std::string previousValue_;
    bool ok_ = false;
};

} // namespace testing_support
