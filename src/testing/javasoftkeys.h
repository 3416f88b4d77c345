// Test helper: the registry of one test. Natively a file of the test's own (QBX_REGISTRY); on
// Windows (under Wine, in the build's own prefix) the real one, whose JavaSoft key is exported
// first and imported again afterwards, and whose machine values set here are restored.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/registry.h"
#include "testing/tempdir.h"

namespace testing_support {

class JavaSoftKeys {
public:
    explicit JavaSoftKeys(const TempDir& dir) : backupFile(dir.str() + "\\javasoft-backup.reg")
    {
        hadVariable = platform::getEnv(RegistryVariable, previousValue);
        const std::string file = (dir.path() / "registry.reg").string();
        dir.write("registry.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QuillboxRegistryProbe]\r\n\r\n");
        platform::putEnv(std::string(RegistryVariable) + "=" + file);
        platform::RegKey probe;
        standIn = platform::regOpenKey(platform::RegRoot::LocalMachine, "SOFTWARE\\QuillboxRegistryProbe",
                                       platform::RegAccess::Read, probe);
        if (standIn) {
            platform::regCloseKey(probe);
            return;
        }
        savedKeys = reg({"export", JavaSoftKey, backupFile, "/y"}) == 0;
        reg({"delete", JavaSoftKey, "/f"});
        platform::RegKey gone;
        cleared = !platform::regOpenKey(platform::RegRoot::LocalMachine, "SOFTWARE\\JavaSoft",
                                        platform::RegAccess::Read, gone);
    }
    ~JavaSoftKeys()
    {
        for (auto it = exportedKeys.rbegin(); it != exportedKeys.rend(); ++it)
            reg({"import", it->second});
        if (!standIn) {
            reg({"delete", JavaSoftKey, "/f"});
            if (savedKeys)
                reg({"import", backupFile});
        }
        platform::putEnv(std::string(RegistryVariable) + "=" + (hadVariable ? previousValue : ""));
    }
    JavaSoftKeys(const JavaSoftKeys&) = delete;
    JavaSoftKeys& operator=(const JavaSoftKeys&) = delete;

    /// true when the keys are ours to fill.
    bool ready() const { return standIn || cleared; }
    /// true when the registry is the test's own file, not the system's.
    bool isStandIn() const { return standIn; }

    /// Adds a version subkey; values that are empty are left out.
    void add(const char* key, const std::string& version, const std::string& microVersion,
             const std::string& javaHome, const std::string& home = "")
    {
        platform::RegKey subkey;
        ASSERT_TRUE(platform::regCreateKey(platform::RegRoot::LocalMachine, std::string(key) + "\\" + version, subkey));
        if (!microVersion.empty()) {
            EXPECT_TRUE(platform::regSetString(subkey, "MicroVersion", microVersion));
        }
        if (!javaHome.empty()) {
            EXPECT_TRUE(platform::regSetString(subkey, "JavaHome", javaHome));
        }
        if (!home.empty()) {
            EXPECT_TRUE(platform::regSetString(subkey, "Home", home));
        }
        platform::regCloseKey(subkey);
    }

    /// Sets a text value of HKEY_LOCAL_MACHINE for this test. On Windows an existing key is
    /// exported first and imported afterwards, which brings its values back with their types
    /// (values that the key did not have stay).
    bool setMachineValue(const std::string& key, const std::string& name, const std::string& value)
    {
        // (A key that is not there yet has nothing to restore: under JavaSoft it goes anyway.)
        if (!standIn && exportedKeys.count(key) == 0) {
            std::string file = backupFile + "." + std::to_string(exportedKeys.size());
            if (reg({"export", "HKLM\\" + key, file, "/y"}) == 0)
                exportedKeys[key] = file;
        }
        platform::RegKey handle;
        if (!platform::regCreateKey(platform::RegRoot::LocalMachine, key, handle))
            return false;
        bool stored = platform::regSetString(handle, name, value);
        platform::regCloseKey(handle);
        return stored;
    }

private:
    static constexpr const char* RegistryVariable = "QBX_REGISTRY";
    static constexpr const char* JavaSoftKey = "HKLM\\SOFTWARE\\JavaSoft";

    static int reg(std::vector<std::string> args)
    {
        std::string systemRoot;
        if (!platform::getEnv("SystemRoot", systemRoot))
            return -1;
        args.insert(args.begin(), "reg.exe");
        int errorNumber = 0;
        return platform::spawnWait(systemRoot + "\\system32\\reg.exe", args, errorNumber);
    }

    std::string backupFile;
    std::string previousValue;
    std::map<std::string, std::string> exportedKeys; // key -> its exported file
    bool hadVariable = false;
    bool standIn = false;
    bool savedKeys = false;
    bool cleared = false;
};

} // namespace testing_support
