// libFuzzer target: any file text either fails to parse or survives a write and a re-read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/registryfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace platform::regfile;
    std::string text(reinterpret_cast<const char*>(data), size);
    Document document;
    ParseError error;
    if (!parse(text, document, error))
        return 0;
    std::string written = format(document);
    Document again;
    if (!parse(written, again, error) || format(again) != written)
        std::abort();
    return 0;
}
