// The posix side of testing/childprogram.h: a shell script stands in for the Windows helper.
#include "testing/childprogram.h"

#include <filesystem>

namespace testing_support {

std::string argsRecorderProgram(const TempDir& dir)
{
    auto script = dir.write("argsrecorder.sh", "#!/bin/sh\n"
                                               ": > args.out\n"
                                               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> args.out; done\n"
                                               "exit 3\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    return script.string();
}

std::string jvmExpanderProgram(const TempDir& dir)
{
    // Full paths: the tests point the search path into their own tree.
    auto script = dir.write("jvmexpander.sh", "#!/bin/sh\n"
                                              "[ $# -eq 0 ] || exit 2\n"
                                              "bin=${QBX_EXPANDER_HOME:+$QBX_EXPANDER_HOME/}bin\n"
                                              "/bin/mkdir -p \"$bin\" || exit 1\n"
                                              "for n in java.exe javaw.exe; do\n"
                                              "  /bin/ln -s \"$QBX_EXPANDER_JAVA\" \"$bin/$n\" || exit 1\n"
                                              "done\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    return script.string();
}

std::string fileRemoverProgram(const std::string& path, std::vector<std::string>& args)
{
    args = {"rm", "-f", path};
    return "/bin/rm";
}

bool messageBoxesWait()
{
    return false;
}

} // namespace testing_support
