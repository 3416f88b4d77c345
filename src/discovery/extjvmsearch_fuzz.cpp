// libFuzzer target: the extended JVM search over registry values and a JAVA_HOME from the input.
// Input: line feed separated parts; the first is JAVA_HOME, then pairs of a key (first byte picks
// the installer's key and value name, the rest is the subkey path) and its value. "$W" in a value
// stands for the scratch directory, which holds JVM-like directories, a file and a link. The
// registry is held in memory; the search only reads and tests paths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>

#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "discovery/extjvmsearch.h"
#include "discovery/jvmversion.h"
#include "platform/posix/registryfile.h"
#include "platform/process.h"
#include "testing/fuzzinput.h"

namespace {

using fuzzing::check;

// The keys and value names the search reads.
constexpr const char* Sources[][2] = {
    {"SOFTWARE\\JavaSoft\\JDK", "JavaHome"},          {"SOFTWARE\\JavaSoft\\JRE", "JavaHome"},
    {"SOFTWARE\\Eclipse Adoptium", "Path"},           {"SOFTWARE\\Microsoft\\JDK", "Path"},
    {"SOFTWARE\\Azul Systems\\Zulu", "InstallationPath"}, {"SOFTWARE\\Semeru", "InstallationPath"},
    {"SOFTWARE\\BellSoft\\Liberica", "Path"},
};

std::string workDir;

std::string expand(std::string text)
{
    for (auto at = text.find("$W"); at != std::string::npos; at = text.find("$W", at + workDir.size()))
        text.replace(at, 2, workDir);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    namespace fs = std::filesystem;
    workDir = fs::current_path().string();
    std::error_code ignored;
    for (const char* dir : {"jdk/bin", "jre/bin", "nobin"})
        fs::create_directories(dir);
    for (const char* file : {"jdk/bin/java.exe", "jre/bin/javaw.exe", "afile"})
        std::ofstream{file};
    fs::create_directory_symlink(workDir + "/jdk", "link", ignored);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    namespace regfile = platform::regfile;
    std::vector<std::string> parts = fuzzing::splitInput(data, size, '\n');
    regfile::Document document;
    for (std::size_t i = 1; i + 1 < parts.size(); i += 2) {
        const std::string& key = parts[i];
        unsigned pick = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
        const auto& source = Sources[pick % std::size(Sources)];
        std::string path = source[0];
        if (key.size() > 1)
            path += "\\" + key.substr(1);
        const char* valueName = (pick / std::size(Sources)) % 2 == 0 ? source[1] : "Path";
        regfile::setString(document, platform::RegRoot::LocalMachine, path, valueName, expand(parts[i + 1]));
    }
    regfile::useDocumentInMemory(&document);
    const std::string javaHome = expand(parts[0]);
    javaHome.find('\0') == std::string::npos ? setenv("JAVA_HOME", javaHome.c_str(), 1) : unsetenv("JAVA_HOME");

    ExtendedJvmSearch search;
    std::vector<JvmCandidate> candidates = search.collectCandidates("java.exe");
    regfile::useDocumentInMemory(nullptr);
    std::set<std::string> seen;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::string& home = candidates[i].home;
        // Only full, well-formed paths of a length that still fits the executable's path.
        check(!home.empty() && home.size() + 15 <= MaxPathLength);
        check(home[0] == '\\' || home[0] == '/' ||
              (home.size() >= 3 && home[1] == ':' && (home[2] == '\\' || home[2] == '/')));
        for (std::size_t c = 0; c < home.size(); ++c)
            check(static_cast<unsigned char>(home[c]) >= 0x20 && std::string("\"*?<>|").find(home[c]) == std::string::npos &&
                  (home[c] != ':' || c == 1));
        // Each directory once; the registry's by version, highest first; JAVA_HOME last.
        check(seen.insert(comparablePath(home, "")).second);
        if (candidates[i].source == "JAVA_HOME")
            check(i + 1 == candidates.size());
        else if (i > 0)
            check(compareVersions(candidates[i - 1].version, candidates[i].version) >= 0);
    }
    return 0;
}
