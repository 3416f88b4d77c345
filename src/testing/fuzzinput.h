// Helpers of the libFuzzer targets. Each target runs in a scratch directory of its own (the
// current directory): files are written there and nowhere else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"

namespace fuzzing {

/// Writes the input as the file name in the current directory; aborts when it cannot.
inline void writeInputFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    // A new file each time: truncating one that holds data makes some file systems write it
    // out at once, which slows a run down a hundredfold.
    platform::removeFile(name);
    std::FILE* file = platform::openFile(name, "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}

/// The input cut at each separator byte (a trailing separator gives an empty last part).
inline std::vector<std::string> splitInput(const std::uint8_t* data, std::size_t size, char separator)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (static_cast<char>(data[i]) == separator)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    return parts;
}

/// Stops the run: a broken invariant is a finding, reported like a crash.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace fuzzing
