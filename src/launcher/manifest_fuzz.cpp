// libFuzzer target: any bytes as the installer's manifest, read as the clean-up reads it. Only the
// names are read here; nothing is deleted.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "control/linereader.h"
#include "launcher/manifest.h"
#include "platform/files.h"
#include "testing/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fuzzing::check;
    fuzzing::writeInputFile("MANIFEST.MF", data, size);
    std::FILE* in = platform::openFile("MANIFEST.MF", "rt");
    check(in != nullptr);
    std::vector<std::string> names = readManifestNames(in);
    std::fclose(in);
    for (const std::string& name : names) {
        // A name is one line's rest: never empty, never across lines, its end cut.
        check(!name.empty() && name.size() <= MaxLineLength - 6);
        check(name.find('\n') == std::string::npos && name.find('\0') == std::string::npos);
        check(name.back() != '\r' && name.back() != ' ');
        // Taken only from "Name: " lines.
        check(std::string(reinterpret_cast<const char*>(data), size).find("Name: " + name) != std::string::npos);
    }
    return 0;
}
