// Whether a JVM is a 64-bit or a 32-bit program, as its executable's image header says.
#pragma once

#include <string>

/// The kind of program an executable is; Unknown for one that is not an x64 or x86 image.
enum class JvmBits { Unknown, Bits64, Bits32 };

/// The machine type of the executable's image header: 0x8664 is Bits64, 0x014c Bits32; anything
/// else, or a file that cannot be read or is no image, is Unknown.
JvmBits executableBits(const std::string& path);

/// "64-bit", "32-bit" or "unknown bitness", as traces and texts name it.
const char* bitsName(JvmBits bits);
