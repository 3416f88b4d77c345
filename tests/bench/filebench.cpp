// Benchmark driver: the launcher's copyFile or delDirTree on paths of a benchmark, timed from
// outside like the system tools it is compared with. It works only below QBX_BENCH_ROOT, the
// benchmark's own temporary directory.
// Usage: filebench copy SOURCE DESTINATION | filebench deltree DIRECTORY
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "exec/clib.h"

namespace {

bool insideBenchRoot(const std::string& path)
{
    const char* root = std::getenv("QBX_BENCH_ROOT");
    if (root == nullptr || *root == '\0')
        return false;
    std::error_code error;
    auto base = std::filesystem::canonical(root, error);
    if (error)
        return false;
    auto target = std::filesystem::weakly_canonical(path, error);
    if (error || target == base)
        return false;
    auto relative = target.lexically_relative(base);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "copy" && argc == 4 && insideBenchRoot(argv[2]) && insideBenchRoot(argv[3]))
        return copyFile(argv[2], argv[3]) ? 0 : 1;
    if (command == "deltree" && argc == 3 && insideBenchRoot(argv[2]))
        return delDirTree(argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: filebench copy SOURCE DESTINATION | deltree DIRECTORY "
                         "(paths below $QBX_BENCH_ROOT)\n");
    return 2;
}
