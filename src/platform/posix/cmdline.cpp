#include "platform/posix/cmdline.h"

namespace platform {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> windowsArgv(const std::string& commandLine)
{
    std::vector<std::string> argv;
    const std::size_t end = commandLine.size();
    std::size_t p = 0;

    // The program name must be a valid file name, so the runtime parses it plainly:
    // no backslash rules, quotes only around the whole name.
    std::string program;
    if (p < end && commandLine[p] == '"') {
        for (++p; p < end && commandLine[p] != '"'; ++p)
            program += commandLine[p];
        if (p < end)
            ++p;
    } else {
        for (; p < end && !isBlank(commandLine[p]); ++p)
            program += commandLine[p];
    }
    argv.push_back(program);

    bool inQuote = false;
    for (;;) {
        while (p < end && isBlank(commandLine[p]))
            ++p;
        if (p >= end)
            break;

        std::string arg;
        for (;;) {
            bool copy = true;
            std::size_t slashes = 0;
            while (p < end && commandLine[p] == '\\') {
                ++p;
                ++slashes;
            }
            if (p < end && commandLine[p] == '"') {
                if (slashes % 2 == 0) {
                    if (inQuote && p + 1 < end && commandLine[p + 1] == '"') {
                        ++p; // "" inside quotes: the second quote is copied, the quoting goes on
                    } else {
                        copy = false;
                        inQuote = !inQuote;
                    }
                }
                slashes /= 2;
            }
            arg.append(slashes, '\\');
            if (p >= end || (!inQuote && isBlank(commandLine[p])))
                break;
            if (copy)
                arg += commandLine[p];
            ++p;
        }
        argv.push_back(arg);
    }
    return argv;
}

} // namespace platform
