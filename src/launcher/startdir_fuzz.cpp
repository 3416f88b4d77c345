// libFuzzer target: any bytes as "startdir.txt", read by getStartDir in the current directory.
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/entry.h"
#include "testing/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fuzzing::check;
    fuzzing::writeInputFile("startdir.txt", data, size);
    std::string startDir = "left over";
    getStartDir(startDir);
    // One line, within the line limit, its end cut (a single character always stays unless it
    // is a line end).
    check(startDir.size() < 5000);
    check(startDir.find('\n') == std::string::npos);
    check(startDir.find('\0') == std::string::npos);
    if (startDir.size() > 1)
        check(startDir.back() != '\r' && startDir.back() != ' ');
    if (startDir.size() == 1)
        check(startDir[0] != '\r');
    // (A file that starts with a byte-order mark is converted first.)
    if (size > 0 && data[0] != '\n' && data[0] != '\r' && data[0] != '\0' && data[0] != 0xFF && data[0] != 0xEF)
        check(!startDir.empty() && startDir[0] == static_cast<char>(data[0]));
    return 0;
}
