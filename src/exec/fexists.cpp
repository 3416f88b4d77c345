#include "exec/fexists.h"

#include "platform/files.h"

std::string unquotedPath(const std::string& path)
{
    std::string copy = path;
    if (!copy.empty() && copy[0] == '"') {
        copy.erase(0, 1);
        auto quote = copy.find('"');
        if (quote != std::string::npos)
            copy.resize(quote);
    }
    return copy;
}

bool fexists(const std::string& path)
{
    // A quoted program name from a command line: test only what stands between the quotes.
    return platform::access(unquotedPath(path));
}
