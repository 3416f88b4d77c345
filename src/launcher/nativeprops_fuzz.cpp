// libFuzzer target: any bytes as "native.properties", read as the clean-up reads it, and the tree
// it would delete put to the delete guard. Nothing is deleted: only the guard's answer is checked.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "control/linereader.h"
#include "launcher/nativeprops.h"
#include "launcher/safedelete.h"
#include "platform/files.h"
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
    fuzzing::writeInputFile("native.properties", data, size);
    std::FILE* in = platform::openFile("native.properties", "rt");
    check(in != nullptr);
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
        return 0;
    // What the guard lets through is never a root, the working or start directory, nor a parent.
    std::string target = realPath(tree);
    check(!target.empty() && target != "/");
    check(!within(workDir, target) && !within(startDir, target));
    return 0;
}
