#include "exec/quoting.h"

std::string quoteArgument(const std::string& text)
{
    // A text with quotes of its own was quoted by its writer: more quotes would split it.
    if (text.find_first_of(" \t") == std::string::npos || text.find('"') != std::string::npos)
        return text;
    std::size_t trailing = 0;
    while (trailing < text.size() && text[text.size() - 1 - trailing] == '\\')
        ++trailing;
    return "\"" + text + std::string(trailing, '\\') + "\"";
}
