// Test support for the JVM units: JVM directories whose executables reach a real JVM.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/registry.h"
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

/// Copies the compiled test class into dir (normally the test's current directory).
inline void installTestJvmClass(const std::filesystem::path& dir)
{
    std::filesystem::copy_file(std::filesystem::path(TestPayloadDir) / "TestJvm.class", dir / "TestJvm.class");
}

// Keys of HKEY_LOCAL_MACHINE, emptied for one test. Natively the registry is a file of the
// test's own (QBX_REGISTRY); on Windows (under Wine) it is the real one of the build's own
// prefix, whose keys belong to the tests: the roots are deleted before and after.
class MachineKeys {
public:
    MachineKeys(const TempDir& dir, std::vector<std::string> rootKeys) : roots(std::move(rootKeys))
    {
        hadVariable = platform::getEnv(RegistryVariable, previousValue);
        const std::string file = (dir.path() / "registry.reg").string();
        dir.write("registry.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QuillboxRegistryProbe]\r\n\r\n");
        platform::putEnv(std::string(RegistryVariable) + "=" + file);
        platform::RegKey probe;
        standIn = platform::regOpenKey(platform::RegRoot::LocalMachine, "SOFTWARE\\QuillboxRegistryProbe",
                                       platform::RegAccess::Read, probe);
        if (standIn)
            platform::regCloseKey(probe);
        cleared = standIn || clear();
    }
    ~MachineKeys()
    {
        if (!standIn)
            clear();
        platform::putEnv(std::string(RegistryVariable) + "=" + (hadVariable ? previousValue : ""));
    }
    MachineKeys(const MachineKeys&) = delete;
    MachineKeys& operator=(const MachineKeys&) = delete;

    /// true when the keys are ours to fill.
    bool ready() const { return cleared; }

    /// Creates the key (under HKEY_LOCAL_MACHINE) and stores the text value, unless name is empty.
    void set(const std::string& key, const std::string& name, const std::string& value)
    {
        platform::RegKey handle;
        ASSERT_TRUE(platform::regCreateKey(platform::RegRoot::LocalMachine, key, handle)) << key;
        if (!name.empty()) {
            EXPECT_TRUE(platform::regSetString(handle, name, value)) << key << " " << name;
        }
        platform::regCloseKey(handle);
    }

private:
    static constexpr const char* RegistryVariable = "QBX_REGISTRY";

    bool clear() const
    {
        bool gone = true;
        for (const std::string& root : roots) {
            // The child's command line is the arguments joined by blanks: quote the key.
            reg({"delete", "\"HKLM\\" + root + "\"", "/f"});
            platform::RegKey key;
            if (platform::regOpenKey(platform::RegRoot::LocalMachine, root, platform::RegAccess::Read, key)) {
                platform::regCloseKey(key);
                gone = false;
            }
        }
        return gone;
    }
    static int reg(std::vector<std::string> args)
    {
        std::string systemRoot;
        if (!platform::getEnv("SystemRoot", systemRoot))
            return -1;
        args.insert(args.begin(), "reg.exe");
        int errorNumber = 0;
        return platform::spawnWait(systemRoot + "\\system32\\reg.exe", args, errorNumber);
    }

    std::vector<std::string> roots;
    std::string previousValue;
    bool hadVariable = false;
    bool standIn = false;
    bool cleared = false;
};

} // namespace testing_support

/// Skips the test, saying why, when no real JVM can be run here.
#define QBX_REQUIRE_REAL_JVM()                                                                                   \
    do {                                                                                                         \
        std::string missing = testing_support::realJvmMissing();                                                 \
        if (!missing.empty())                                                                                    \
            GTEST_SKIP() << "needs a real JVM: " << missing;                                                     \
    } while (false)
