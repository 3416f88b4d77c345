#include "exec/quoting.h"

std::string quoteArgument(const std::string& text)
{
    if (text.find_first_of(" \t") == std::string::npos)
        return text;
    if (text.find('"') != std::string::npos)
        return "\"" + text + "\"";
    std::size_t trailing = 0;
    while (trailing < text.size() && text[text.size() - 1 - trailing] == '\\')
        ++trailing;
    return "\"" + text + std::string(trailing, '\\') + "\"";
}
