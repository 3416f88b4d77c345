#include "platform/console.h"

namespace platform {

std::vector<std::string> commandArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void writeText(std::FILE* stream, const std::string& text)
{
    std::fputs(text.c_str(), stream);
}

} // namespace platform
