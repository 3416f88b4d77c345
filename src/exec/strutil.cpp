#include "exec/strutil.h"

std::string toLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && toLower(a) == toLower(b);
}

bool beginsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string fileNamePart(const std::string& path)
{
    auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
