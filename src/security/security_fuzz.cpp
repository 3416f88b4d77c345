// libFuzzer target: any bytes as a JVM's "java.security", read for its identity database line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "security/security.h"
#include "testing/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fuzzing::check;
    fuzzing::writeInputFile("java.security", data, size);
    std::FILE* in = platform::openFile("java.security", "rt");
    check(in != nullptr);
    std::string path = "left over";
    bool tooLong = true;
    bool found = readIdentityDatabasePath(in, path, tooLong);
    std::fclose(in);
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Found exactly when some line begins with the key.
    const bool lineBegins = input.rfind("identity.database=", 0) == 0 ||
                            input.find("\nidentity.database=") != std::string::npos;
    check(found == lineBegins);
    if (!found) {
        check(!tooLong && path == "left over");
        return 0;
    }
    // One line's value within the read limit, in backslash form with single separators.
    check(path.size() <= 1999 - 18);
    check(path.find('/') == std::string::npos && path.find('\n') == std::string::npos);
    check(path.find("\\\\") == std::string::npos);
    if (!path.empty())
        check(path.back() != '\r' && path.back() != ' ');
    return 0;
}
