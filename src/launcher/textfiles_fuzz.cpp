// libFuzzer target: any bytes as each small text file the launcher reads from a payload, a JVM
// or an earlier stage: "startdir.txt", the installer's manifest, "native.properties" (and the
// tree it names put to the delete guard: only the guard's answer is checked, nothing is deleted)
// and a JVM's "java.security". All but "startdir.txt" are read from memory.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "control/linereader.h"
#include "launcher/entry.h"
#include "launcher/manifest.h"
#include "launcher/nativeprops.h"
#include "launcher/safedelete.h"
#include "platform/files.h"
#include "security/security.h"
#include "testing/fuzzinput.h"

namespace {

using fuzzing::check;

// The scratch directory stands for the working directory; "start" inside it for the start
// directory, and "jvm" for a JVM installed for the run; "loop" is a link back to the scratch
// directory.
std::string workDir;

std::string realPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(path, error);
    return error ? std::string() : real.string();
}

// true when path is dir or lies below it.
bool within(const std::string& path, const std::string& dir)
{
    return path == dir || (path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 &&
                           (dir == "/" || path[dir.size()] == '/'));
}

// The input as an open file in memory (an empty one as a single line end: fmemopen wants bytes).
std::FILE* openInput(std::string& copy)
{
    copy += copy.empty() ? "\n" : "";
    std::FILE* in = fmemopen(copy.data(), copy.size(), "r");
    check(in != nullptr);
    return in;
}

void startDirFile(const std::uint8_t* data, std::size_t size)
{
    fuzzing::writeInputFile("startdir.txt", data, size);
    std::string startDir = "left over";
    getStartDir(startDir);
    // One line, within the line limit, its end cut (a single character always stays unless it
    // is a line end).
    check(startDir.size() < 5000 && startDir.find('\n') == std::string::npos && startDir.find('\0') == std::string::npos);
    check(startDir.size() > 1 ? startDir.back() != '\r' && startDir.back() != ' ' : startDir != "\r");
    // (A file that starts with a byte-order mark is converted first.)
    if (size > 0 && data[0] != '\n' && data[0] != '\r' && data[0] != '\0' && data[0] != 0xFF && data[0] != 0xEF)
        check(!startDir.empty() && startDir[0] == static_cast<char>(data[0]));
}

void manifest(const std::string& input)
{
    std::string copy = input;
    std::FILE* in = openInput(copy);
    std::vector<std::string> names = readManifestNames(in);
    std::fclose(in);
    for (const std::string& name : names) {
        // A name is one line's rest: never empty, never across lines, its end cut, taken only
        // from "Name: " lines.
        check(!name.empty() && name.size() <= MaxLineLength - 6 && name.back() != '\r' && name.back() != ' ');
        check(name.find('\n') == std::string::npos && name.find('\0') == std::string::npos);
        check(input.find("Name: " + name) != std::string::npos);
    }
}

void nativeProperties(const std::string& input)
{
    std::string copy = input;
    std::FILE* in = openInput(copy);
    TempJvmRecord record;
    std::string line;
    while (readLine(in, line)) {
        std::string normalized = normalizePropertiesLine(line);
        // Every backslash of the file is an escape and goes; each slash becomes a backslash.
        check(normalized.size() <= line.size());
        std::string key = applyPropertiesLine(normalized, record);
        check(key.empty() || normalized.compare(0, key.size(), key) == 0);
    }
    std::fclose(in);
    for (const std::string* value : {&record.jvmHomeDir, &record.tempJvmDir, &record.installedInTemp})
        check(value->find('/') == std::string::npos && value->size() < MaxLineLength);

    std::string dir = record.tempJvmDir.empty() ? record.jvmHomeDir : record.tempJvmDir;
    const std::string startDir = workDir + "/start";
    std::string tree;
    if (!isSafeToDeleteTree(dir, {workDir, startDir, "", ""}, tree))
        return;
    // What the guard lets through is never a root, the working or start directory, nor a parent.
    std::string target = realPath(tree);
    check(!target.empty() && target != "/" && !within(workDir, target) && !within(startDir, target));
}

void javaSecurity(const std::string& input)
{
    std::string copy = input;
    std::FILE* in = openInput(copy);
    std::string path = "left over";
    bool tooLong = true;
    bool found = readIdentityDatabasePath(in, path, tooLong);
    std::fclose(in);
    // Found exactly when some line begins with the key.
    check(found == (input.rfind("identity.database=", 0) == 0 || input.find("\nidentity.database=") != std::string::npos));
    if (!found) {
        check(!tooLong && path == "left over");
        return;
    }
    // One line's value within the read limit, in backslash form with single separators.
    check(path.size() <= 1999 - 18 && path.find('/') == std::string::npos && path.find('\n') == std::string::npos);
    check(path.find("\\\\") == std::string::npos && (path.empty() || (path.back() != '\r' && path.back() != ' ')));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    workDir = realPath(".");
    platform::makeDir("start");
    platform::makeDir("jvm");
    platform::makeDir("jvm\\bin");
    std::error_code error;
    std::filesystem::create_directory_symlink(workDir, "loop", error);
    if (realPath("loop") != workDir)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    startDirFile(data, size);
    manifest(input);
    nativeProperties(input);
    javaSecurity(input);
    return 0;
}
