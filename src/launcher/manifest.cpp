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
