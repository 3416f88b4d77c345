// Fuzz target: any bytes as the control file, converted and read from memory as the launcher
// reads the file it wrote (no file per input, so that a run tries millions).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "control/getparam.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = controlFileText(std::string(reinterpret_cast<const char*>(data), size));
    // One input in four runs with tracing on, so that the trace paths see the same bytes (the
    // suggestion for an unknown key makes a traced input the slower kind).
    if (size % 4 == 1) {
        std::FILE* trace = platform::openFile(TraceFilename, "wt");
        if (trace)
            std::fclose(trace);
    }
    // An empty file reads as one empty line would (fmemopen refuses a size of 0).
    if (text.empty())
        text = "\n";
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    if (file == nullptr)
        std::abort();
    ControlValues values;
    GetParameters reader;
    reader.readControlValues(file, values);
    std::fclose(file);
    for (const auto& key : controlKeys())
        if ((values.*key.field).size() >= key.size)
            std::abort();
    if (values.jvmName.empty() || values.loaderClasspath.empty() || values.jvmCommandName.empty())
        std::abort();

    platform::removeFile(TraceFilename);
    return 0;
}
