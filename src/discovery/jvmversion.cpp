#include "discovery/jvmversion.h"

#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view VersionSeparators = "._-+";
constexpr std::string_view BinDir = "bin";

std::vector<std::string_view> splitVersion(std::string_view version)
{
    std::vector<std::string_view> components;
    if (version.empty())
        return components;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = version.find_first_of(VersionSeparators, start);
        if (end == std::string_view::npos) {
            components.push_back(version.substr(start));
            return components;
        }
        components.push_back(version.substr(start, end - start));
        start = end + 1;
    }
}

char foldCase(char c)
{
    // Only A to Z, as the runtime's case-insensitive comparison does: other bytes stay as they are.
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int compareText(std::string_view a, std::string_view b)
{
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        auto ca = static_cast<unsigned char>(foldCase(a[i]));
        auto cb = static_cast<unsigned char>(foldCase(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compareNumbers(std::string_view a, std::string_view b)
{
    // Digits of any length: drop leading zeros, then the longer number is the larger.
    while (a.size() > 1 && a.front() == '0')
        a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0')
        b.remove_prefix(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::size_t leadingDigits(std::string_view text)
{
    std::size_t count = 0;
    while (count < text.size() && text[count] >= '0' && text[count] <= '9')
        ++count;
    return count;
}

// One consistent order for every component, so that sorting by it is sound: an empty component
// first, then those that start with digits (by that number, then the rest as text, "10" before
// "10a" before "11"), then those that start otherwise (as text, ignoring case).
int compareComponent(std::string_view a, std::string_view b)
{
    auto rank = [](std::string_view text) { return text.empty() ? 0 : (leadingDigits(text) > 0 ? 1 : 2); };
    int rankA = rank(a);
    int rankB = rank(b);
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    std::size_t digitsA = leadingDigits(a);
    std::size_t digitsB = leadingDigits(b);
    if (digitsA > 0) {
        if (int order = compareNumbers(a.substr(0, digitsA), b.substr(0, digitsB)))
            return order;
        return compareText(a.substr(digitsA), b.substr(digitsB));
    }
    return compareText(a, b);
}

int compareComponents(const std::vector<std::string_view>& version, const std::vector<std::string_view>& other,
                      std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (i >= version.size())
            return i >= other.size() ? 0 : -1;
        if (i >= other.size())
            return 1;
        if (int order = compareComponent(version[i], other[i]))
            return order;
    }
    return 0;
}

} // namespace

int compareVersions(const std::string& version, const std::string& other)
{
    auto a = splitVersion(version);
    auto b = splitVersion(other);
    return compareComponents(a, b, a.size() > b.size() ? a.size() : b.size());
}

int compareVersionToLimit(const std::string& version, const std::string& limit)
{
    auto limitComponents = splitVersion(limit);
    // Only as many components as the limit has count: 1.4.2_05 meets the limit 1.4 exactly.
    return compareComponents(splitVersion(version), limitComponents, limitComponents.size());
}

void parseVersion(const std::string& version, std::string& familyVersion, std::string& microVersion)
{
    std::size_t firstDot = version.find('.');
    std::size_t lastDot = version.rfind('.');
    bool twoDots = firstDot != std::string::npos && firstDot != lastDot;
    // Both parts are made before either is stored: the caller may pass the version as an output.
    std::string family = twoDots ? version.substr(0, lastDot) : version;
    std::string micro = twoDots ? version.substr(lastDot + 1) : std::string(1, '0');
    familyVersion = std::move(family);
    microVersion = std::move(micro);
}

std::string withoutBinFolder(const std::string& directory)
{
    // Only the last folder counts: a JVM below an unrelated bin (C:\tools\bin\jvm) is its own home.
    std::size_t end = directory.size();
    while (end > 0 && (directory[end - 1] == '\\' || directory[end - 1] == '/'))
        --end;
    if (end == 0)
        return directory;
    std::size_t slash = directory.find_last_of("\\/", end - 1);
    std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    // Folder names compare without regard to case, as Windows does (a search path may say BIN).
    if (compareText(std::string_view(directory).substr(start, end - start), BinDir) != 0)
        return directory;
    return directory.substr(0, slash == std::string::npos ? 0 : slash);
}

void getJavaHomeDirectory(const std::string& executablePath, std::string& homeDirectory)
{
    std::size_t lastSlash = executablePath.rfind('\\');
    // Without a backslash there is no directory to take: the text stays whole.
    homeDirectory = lastSlash == std::string::npos ? executablePath
                                                    : withoutBinFolder(executablePath.substr(0, lastSlash));
}
