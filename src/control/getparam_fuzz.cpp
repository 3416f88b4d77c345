// Fuzz target: any bytes as "qbx.control", read by GetParameters in the current directory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "control/getparam.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = platform::openFile(QbxControlFilename, "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    // Half of the inputs run with tracing on, so that the trace paths see the same bytes.
    if (size % 2 == 1) {
        std::FILE* trace = platform::openFile(TraceFilename, "wt");
        if (trace)
            std::fclose(trace);
    }

    ControlValues values;
    GetParameters reader;
    // The file exists and the directory is writable: reading must succeed whatever the content.
    if (!reader.getParameters(values))
        std::abort();
    for (const auto& key : controlKeys())
        if ((values.*key.field).size() >= key.size)
            std::abort();
    if (values.jvmName.empty() || values.loaderClasspath.empty() || values.jvmCommandName.empty())
        std::abort();

    platform::removeFile(TraceFilename);
    return 0;
}
