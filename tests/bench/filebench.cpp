// Benchmark driver: the launcher's copyFile or delDirTree, timed from outside like the system tools
// it is compared with, and only below QBX_BENCH_ROOT, the benchmark's own directory.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "exec/clib.h"

static bool insideBenchRoot(const char* path)
{
    const char* root = std::getenv("QBX_BENCH_ROOT");
    std::error_code error; // a path that cannot be resolved comes out empty, and so does the relation
    auto relative = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error)
                        .lexically_relative(std::filesystem::canonical(root ? root : "", error));
    return !relative.empty() && relative != "." && *relative.begin() != "..";
}

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "copy" && argc == 4 && insideBenchRoot(argv[2]) && insideBenchRoot(argv[3]))
        return copyFile(argv[2], argv[3]) ? 0 : 1;
    if (command == "deltree" && argc == 3 && insideBenchRoot(argv[2]))
        return delDirTree(argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: filebench copy SOURCE DESTINATION | deltree DIRECTORY (below $QBX_BENCH_ROOT)\n");
    return 2;
}
