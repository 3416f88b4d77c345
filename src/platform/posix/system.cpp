// Stand-in answers: an NT-family system above Vista with every system library; documents
// folders from the environment (see docs/registry.md).
#include "platform/system.h"

#include "platform/files.h"
#include "platform/process.h"

namespace platform {

namespace {

constexpr const char* CommonDocumentsVariable = "QBX_COMMON_DOCUMENTS";
constexpr const char* PersonalDocumentsVariable = "QBX_PERSONAL_DOCUMENTS";

} // namespace

std::uint32_t getVersion()
{
    // Stand-in: an NT-family system above Vista (6.2, build 9200); top bit clear means NT.
    return (9200u << 16) | (2u << 8) | 6u;
}

unsigned majorVersion()
{
    return 6;
}

bool libraryPresent(const std::string&)
{
    return true;
}

bool shortPathName(const std::string& path, std::string& shortName, std::size_t limit)
{
    // Linux file systems keep no short names: the short name is the name itself.
    if (path.empty() || path.size() > limit || !access(path))
        return false;
    shortName = path;
    return true;
}

bool fullPathName(const std::string& path, std::string& fullName, std::size_t limit)
{
    std::string result = path;
    if (!path.empty() && path[0] != '/' && path[0] != '\\') {
        std::string current;
        if (!getCwd(current))
            return false;
        result = current + "\\" + path;
    }
    if (result.empty() || result.size() > limit)
        return false;
    fullName = result;
    return true;
}

bool folderPath(Folder folder, std::string& path)
{
    std::string value;
    const char* name = folder == Folder::CommonDocuments ? CommonDocumentsVariable : PersonalDocumentsVariable;
    if (!getEnv(name, value) || value.empty())
        return false;
    path = value;
    return true;
}

} // namespace platform
