// Test support for the JVM units: JVM directories whose executables reach a real JVM.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "platform/process.h"
#include "testing/tempdir.h"

namespace testing_support {

// Set by the build: the compiled test class, and the host's java (native build) or the
// Wine helper that runs it (Windows build).
inline const std::string TestPayloadDir = QBX_TEST_PAYLOAD_DIR;
inline const std::string TestHostJava = QBX_TEST_HOST_JAVA;
inline const std::string TestJavaStub = QBX_TEST_JAVA_STUB;

/// Empty when a real JVM can be run from a test JVM directory, else the reason it cannot.
inline std::string realJvmMissing()
{
    if (TestPayloadDir.empty() || !std::filesystem::exists(std::filesystem::path(TestPayloadDir) / "TestJvm.class"))
        return "TestJvm.class was not built (no javac found at configure time)";
    if (!TestJavaStub.empty()) {
        if (!std::filesystem::exists(TestJavaStub))
            return "the Wine test helper java-stub.exe is not built next to unit_tests.exe (" + TestJavaStub + ")";
        return "";
    }
    if (TestHostJava.empty() || !std::filesystem::exists(TestHostJava))
        return "no host java found at configure time";
    return "";
}

/// Puts executables with the given names into dir: links to the host's java, or copies of the
/// Wine helper that runs it. Only to be called when realJvmMissing() is empty.
inline void makeRealJvm(const std::filesystem::path& dir, std::initializer_list<const char*> names)
{
    std::filesystem::create_directories(dir);
    for (const char* name : names) {
        if (!TestJavaStub.empty())
            std::filesystem::copy_file(TestJavaStub, dir / name);
        else
            std::filesystem::create_symlink(TestHostJava, dir / name);
    }
}

/// Puts empty files with the given names into dir: they exist, but nothing can run them.
inline void makeFakeJvm(const std::filesystem::path& dir, std::initializer_list<const char*> names)
{
    std::filesystem::create_directories(dir);
    for (const char* name : names)
        std::ofstream(dir / name, std::ios::binary) << "";
}

/// Writes the smallest image header that names a machine type (0x8664 x64, 0x014c x86): "MZ",
/// the header's offset at 0x3C, then "PE\0\0" and the type.
inline void makeImage(const std::filesystem::path& file, unsigned machine)
{
    std::string bytes(0x46, '\0');
    bytes[0] = 'M', bytes[1] = 'Z', bytes[0x3C] = 0x40;
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    bytes[0x44] = static_cast<char>(machine & 0xFF), bytes[0x45] = static_cast<char>(machine >> 8);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

/// Copies the compiled test class into dir (normally the test's current directory).
inline void installTestJvmClass(const std::filesystem::path& dir)
{
    std::filesystem::copy_file(std::filesystem::path(TestPayloadDir) / "TestJvm.class", dir / "TestJvm.class");
}

} // namespace testing_support

/// Skips the test, saying why, when no real JVM can be run here.
#define QBX_REQUIRE_REAL_JVM()                                                                                   \
    do {                                                                                                         \
        std::string missing = testing_support::realJvmMissing();                                                 \
        if (!missing.empty())                                                                                    \
            GTEST_SKIP() << "needs a real JVM: " << missing;                                                     \
    } while (false)
