#include "control/linereader.h"

#include <array>
#include <cstring>

bool readLine(std::FILE* file, std::string& line)
{
    // fgets with a limit of MaxLineLength + 1 stops after that many characters or after a
    // line feed, so an overlong line is delivered in pieces and never overruns the buffer.
    std::array<char, MaxLineLength + 2> buffer{};
    if (!std::fgets(buffer.data(), static_cast<int>(MaxLineLength + 1), file))
        return false;
    // Binary content: whatever follows a NUL byte in this piece is not part of the text.
    line.assign(buffer.data(), std::strlen(buffer.data()));
    auto feed = line.find('\n');
    if (feed != std::string::npos)
        line.erase(feed);
    return true;
}
