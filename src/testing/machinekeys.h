// Test helper: the registry of one test. Natively a file of the test's own (QBX_REGISTRY); on
// Windows (under Wine, in the build's own prefix) the real one: the root keys are exported,
// emptied for the test and imported again afterwards, and so are keys that the test writes into.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/registry.h"
#include "testing/tempdir.h"

namespace testing_support {

class MachineKeys {
public:
    explicit MachineKeys(const TempDir& dir, std::vector<std::string> rootKeys = {"SOFTWARE\\JavaSoft"})
        : backupFile(dir.str() + "\\registry-backup.reg"), roots(std::move(rootKeys))
    {
        hadVariable = platform::getEnv(Variable, previousValue);
        // Only the stand-in reads this file: its probe key shows which registry the test has.
        dir.write("registry.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QuillboxProbe]\r\n");
        platform::putEnv(std::string(Variable) + "=" + (dir.path() / "registry.reg").string());
        standIn = exists("SOFTWARE\\QuillboxProbe");
        for (const std::string& root : roots) {
            if (standIn)
                break;
            exportKey(root);
            reg({"delete", quoted(root), "/f"});
            cleared = cleared && !exists(root);
        }
    }
    ~MachineKeys()
    {
        for (const std::string& root : roots)
            if (!standIn)
                reg({"delete", quoted(root), "/f"});
        for (auto it = savedKeys.rbegin(); it != savedKeys.rend(); ++it)
            reg({"import", "\"" + it->second + "\""});
        platform::putEnv(std::string(Variable) + "=" + (hadVariable ? previousValue : ""));
    }
    MachineKeys(const MachineKeys&) = delete;
    MachineKeys& operator=(const MachineKeys&) = delete;

    /// true when the root keys are empty and ours to fill.
    bool ready() const { return cleared; }
    /// true when the registry is the test's own file, not the system's.
    bool isStandIn() const { return standIn; }

    /// Sets a text value of HKEY_LOCAL_MACHINE, or of HKEY_CURRENT_USER for a key that begins with
    /// "HKCU\\" (an empty name: the key's default value). On Windows a key outside the roots is
    /// exported first and imported afterwards.
    bool setMachineValue(const std::string& key, const std::string& name, const std::string& value)
    {
        bool belowRoot = false;
        for (const std::string& root : roots)
            belowRoot = belowRoot || key.compare(0, root.size(), root) == 0;
        if (!standIn && !belowRoot)
            exportKey(key);
        platform::RegKey handle;
        if (!platform::regCreateKey(rootOf(key), withoutHive(key), handle))
            return false;
        bool stored = platform::regSetString(handle, name, value);
        platform::regCloseKey(handle);
        return stored;
    }

    /// Adds a JVM's version subkey below key; values that are empty are left out.
    void add(const char* key, const std::string& version, const std::string& microVersion,
             const std::string& javaHome, const std::string& home = "")
    {
        const std::string subkey = std::string(key) + "\\" + version;
        for (const auto& [name, value] : {std::pair<const char*, const std::string&>{"MicroVersion", microVersion},
                                          {"JavaHome", javaHome}, {"Home", home}})
            EXPECT_TRUE(value.empty() || setMachineValue(subkey, name, value)) << subkey << " " << name;
        platform::RegKey made;
        EXPECT_TRUE(platform::regCreateKey(platform::RegRoot::LocalMachine, subkey, made)) << subkey;
        platform::regCloseKey(made);
    }

private:
    static constexpr const char* Variable = "QBX_REGISTRY";

    static bool isUserKey(const std::string& key) { return key.compare(0, 5, "HKCU\\") == 0; }
    static platform::RegRoot rootOf(const std::string& key)
    {
        return isUserKey(key) ? platform::RegRoot::CurrentUser : platform::RegRoot::LocalMachine;
    }
    static std::string withoutHive(const std::string& key) { return isUserKey(key) ? key.substr(5) : key; }
    static bool exists(const std::string& key)
    {
        platform::RegKey handle;
        bool opened = platform::regOpenKey(rootOf(key), withoutHive(key), platform::RegAccess::Read, handle);
        platform::regCloseKey(handle);
        return opened;
    }
    // The child's command line is the arguments joined by blanks: keys and files are quoted.
    static std::string quoted(const std::string& key) { return "\"" + (isUserKey(key) ? key : "HKLM\\" + key) + "\""; }

    /// Exports a key once (a key that is not there has nothing to restore).
    void exportKey(const std::string& key)
    {
        std::string file = backupFile + "." + std::to_string(savedKeys.size());
        if (savedKeys.count(key) == 0 && reg({"export", quoted(key), "\"" + file + "\"", "/y"}) == 0)
            savedKeys[key] = file;
    }
    static int reg(std::vector<std::string> args)
    {
        std::string systemRoot;
        int errorNumber = 0;
        args.insert(args.begin(), "reg.exe");
        return platform::getEnv("SystemRoot", systemRoot)
                   ? platform::spawnWait(systemRoot + "\\system32\\reg.exe", args, errorNumber)
                   : -1;
    }

    std::string backupFile;
    std::vector<std::string> roots;
    std::map<std::string, std::string> savedKeys; // key -> its exported file
    std::string previousValue;
    bool hadVariable = false;
    bool standIn = false;
    bool cleared = true;
};

} // namespace testing_support
