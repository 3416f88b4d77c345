#include "discovery/sysdirs.h"

#include "platform/registry.h"

std::string readMachineValue(const std::string& key, const std::string& value, std::size_t size)
{
    platform::RegKey handle;
    std::string text;
    if (platform::regOpenKey(platform::RegRoot::LocalMachine, key, platform::RegAccess::QueryValue, handle)) {
        if (!platform::regQueryString(handle, value, text, size))
            text.clear();
        platform::regCloseKey(handle);
    }
    return text;
}

std::string windowsDirectory()
{
    for (const WindowsDirSource& source : NtWindowsDirSources) {
        std::string dir = readMachineValue(source.key, source.value);
        if (!dir.empty())
            return dir;
    }
    return std::string();
}
