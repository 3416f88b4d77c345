#include "launcher/manifest.h"

#include "control/linereader.h"
#include "exec/strutil.h"

namespace {

constexpr const char* ManifestNameEntry = "Name: ";

} // namespace

std::string manifestEntryName(const std::string& line)
{
    if (!beginsWith(line, ManifestNameEntry))
        return std::string();
    std::string name = line.substr(std::string(ManifestNameEntry).size());
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' '))
        name.pop_back();
    return name;
}

std::vector<std::string> readManifestNames(std::FILE* in)
{
    std::vector<std::string> names;
    std::string line;
    while (readLine(in, line)) {
        std::string name = manifestEntryName(line);
        if (!name.empty())
            names.push_back(name);
    }
    return names;
}

bool isSafeManifestName(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos)
        return false;
    for (std::size_t start = 0; start <= name.size();) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        std::string part = name.substr(start, end - start);
        if (part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}
