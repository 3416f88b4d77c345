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
