#include "discovery/jvmbits.h"

#include <cstdio>
#include <cstdint>

#include "platform/files.h"

namespace {

constexpr long NewHeaderOffsetField = 0x3C; // where the DOS stub keeps the offset of the image header
constexpr long LargestHeaderOffset = 0x10000000;
constexpr std::uint16_t MachineX64 = 0x8664;
constexpr std::uint16_t MachineX86 = 0x014c;

bool readAt(std::FILE* file, long offset, unsigned char* bytes, std::size_t count)
{
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(bytes, 1, count, file) == count;
}

std::uint32_t littleEndian(const unsigned char* bytes, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;)
        value = value << 8 | bytes[i];
    return value;
}

} // namespace

JvmBits executableBits(const std::string& path)
{
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr)
        return JvmBits::Unknown;
    unsigned char dos[2], offset[4], header[6];
    std::uint32_t machine = 0;
    // "MZ", the offset of "PE\0\0", then the two bytes of the machine type.
    if (readAt(file, 0, dos, sizeof dos) && dos[0] == 'M' && dos[1] == 'Z' &&
        readAt(file, NewHeaderOffsetField, offset, sizeof offset) &&
        littleEndian(offset, sizeof offset) < static_cast<std::uint32_t>(LargestHeaderOffset) &&
        readAt(file, static_cast<long>(littleEndian(offset, sizeof offset)), header, sizeof header) &&
        header[0] == 'P' && header[1] == 'E' && header[2] == 0 && header[3] == 0)
        machine = littleEndian(header + 4, 2);
    std::fclose(file);
    if (machine == MachineX64)
        return JvmBits::Bits64;
    if (machine == MachineX86)
        return JvmBits::Bits32;
    return JvmBits::Unknown;
}

const char* bitsName(JvmBits bits)
{
    switch (bits) {
    case JvmBits::Bits64: return "64-bit";
    case JvmBits::Bits32: return "32-bit";
    case JvmBits::Unknown: break;
    }
    return "unknown bitness";
}
