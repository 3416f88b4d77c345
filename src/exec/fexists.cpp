#include "exec/fexists.h"

#include "platform/files.h"

bool fexists(const std::string& path)
{
    std::string copy = path;
    // A quoted program name from a command line: test only what stands between the quotes.
    if (!copy.empty() && copy[0] == '"') {
        copy.erase(0, 1);
        auto quote = copy.find('"');
        if (quote != std::string::npos)
            copy.resize(quote);
    }
    return platform::access(copy);
}
