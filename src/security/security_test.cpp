#include "security/security.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "exec/clib.h"
#include "launcher/install.h"
#include "locale/testlocale.h"
#include "platform/files.h"
#include "testing/machinekeys.h"

namespace {

using testing_support::readFile;

constexpr const char* WinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Working directory (current, tracing on) with the source files, a JVM home and a home directory.
struct SecurityTree {
    testing_support::TempDir dir{true};
    std::string jvm = dir.str() + "\\jvm", home = dir.str() + "\\home";
    SecurityTree()
    {
        for (const char* name : {"jinstall.log", "java.policy", "user.policy", ".keystore", "home/h", "jvm/java.policy"})
            dir.write(name, name);
    }
    size_t traced(const std::string& text) const
    {
        std::string log = readFile(dir.path() / "jinstall.log");
        size_t count = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }
};

// (The plain forms below the JVM and in the home directory are proven by the bundle runs.)
TEST(Security, DestinationFormsGiveSourceAndDestination)
{
    SecurityTree t;
    const struct { const char *spec; bool ok; const char* name; std::string destination; } cases[] = {
        {"any${user.home}${java.home}/lib//user.policy", true, "user.policy", t.jvm + "\\lib\\user.policy"},
        {"${user.home}absent.ks", true, "absent.ks", t.home + "\\absent.ks"},
        {"${java.home}user.policy", true, "user.policy", ""},
        {"conf/sub/user.policy", true, "user.policy", "conf\\sub\\user.policy"},
        {"user.policy", false, "", ""},
        {"${java.home}/lib/missing.policy", false, "missing.policy", ""},
    };
    for (const auto& c : cases) {
        std::string name = "old", destination = "old";
        EXPECT_EQ(Security().getFilenames(c.spec, t.jvm, t.home, name, destination), c.ok) << c.spec;
        EXPECT_EQ(name + "|" + destination, c.name + ("|" + c.destination)) << c.spec;
        EXPECT_TRUE(c.destination.empty() || isDir(c.destination.substr(0, c.destination.rfind('\\')))) << c.spec;
    }
}

TEST(Security, InstallsPoliciesAndTheKeystoreAlsoIntoTheLoginNamesProfile)
{
    const struct { const char *userName, *defaultUserName, *profile; } cases[] = {
        {"bob", "alice", "bob"}, {"", "alice", "alice"}, {"", "", ""}};
    for (const auto& c : cases) {
        SecurityTree t;
        // Under Wine the prefix's Winlogon key is exported first and imported afterwards.
        testing_support::MachineKeys keys(t.dir, {});
        ASSERT_TRUE(keys.setMachineValue(WinlogonKey, "UserName", c.userName));
        ASSERT_TRUE(keys.setMachineValue(WinlogonKey, "DefaultUserName", c.defaultUserName));
        Install install;
        install.control.systemSecurityPolicyFilename = "${java.home}/lib/security/java.policy";
        install.control.userSecurityPolicyFilename = "${java.home}/lib/security/missing.policy";
        install.control.keystoreFilename = "${user.home}/.keystore";
        install.javaHomeDir = t.jvm;
        install.homeDirectory = t.home;
        EXPECT_TRUE(install.addSecurity(false));
        EXPECT_EQ(readFile(t.dir.path() / "jvm/lib/security/java.policy"), "java.policy");
        EXPECT_EQ(readFile(t.dir.path() / "jvm/lib/security/missing.policy"), "");
        EXPECT_EQ(readFile(t.dir.path() / "home/.keystore"), ".keystore");
        EXPECT_EQ(readFile(t.dir.path() / "home/profiles" / c.profile / ".keystore"), *c.profile ? ".keystore" : "");
        EXPECT_EQ(t.traced("unable to find login name in registry"), *c.profile ? 0u : 2u) << c.profile;
    }
}

TEST(Security, KeystoreFollowsTheJvmsIdentityDatabaseLineUnlessItLeadsElsewhere)
{
    // A refused path leaves the control file's destination, below the JVM.
    const struct { const char *path, *lands; } cases[] = {
        {".//ids///identitydb.obj ", "ids/identitydb.obj"},
        {"ids/../identitydb.obj", "jvm/.keystore"},
        {"ids/.. /identitydb.obj", "jvm/.keystore"},
        {"link/identitydb.obj", "jvm/.keystore"},
    };
    for (const auto& c : cases) {
        SecurityTree t;
        t.dir.write("elsewhere/x", "");
        std::error_code error;
        std::filesystem::create_directory_symlink(t.dir.path() / "elsewhere", t.dir.path() / "link", error);
        // (No directory links in the Windows build's runtime: the platform's test sees Wine's links.)
        if (error && std::string(c.path).rfind("link", 0) == 0)
            continue;
        // The rest of an over-long line is never read as a line of its own.
        t.dir.write("jvm/lib/security/java.security", "#" + std::string(1998, 'x') + "identity.database=wrong\n" +
                                                          "identity.database=" + c.path + "\r\n");
        // Without a home directory "${user.home}" names no place.
        EXPECT_TRUE(Security().addSecurity("${user.home}/java.policy", "", "${java.home}/.keystore", t.jvm, "", false));
        EXPECT_EQ(t.traced("unable to get destination"), 1u);
        EXPECT_EQ(readFile(t.dir.path() / c.lands), ".keystore") << c.path;
        EXPECT_EQ(t.traced("identity database path refused"), std::string(c.lands) == "jvm/.keystore" ? 1u : 0u);
        EXPECT_EQ(readFile(t.dir.path() / "wrong"), "");
        EXPECT_EQ(readFile(t.dir.path() / "elsewhere/identitydb.obj"), "");
        EXPECT_EQ(readFile(t.dir.path() / "identitydb.obj"), "");
    }
}

TEST(Security, ReplacingBacksUpWithoutOverwritingEarlierBackupsAndRecordsIt)
{
    const struct { const char* locale; bool replace; int runs; std::string record; } cases[] = {
        {"en-US", false, 1, ""}, {"en-US", true, 2, "Renamed to "}, {"fr-FR", true, 1, "Renomm\xE9 en "}};
    for (const auto& c : cases) {
        SecurityTree t;
        testing_support::ScopedLocale locale(c.locale);
        std::string destination = t.jvm + "\\java.policy", records;
        for (int run = 0; run < c.runs; ++run)
            EXPECT_TRUE(Security().copySecurityFile("java.policy", destination, c.replace)) << c.locale;
        EXPECT_EQ(readFile(t.dir.path() / "jvm/java.policy"), c.replace ? "java.policy" : "jvm/java.policy");
        EXPECT_EQ(readFile(t.dir.path() / "jvm/java.001"), c.replace ? "jvm/java.policy" : "");
        EXPECT_EQ(readFile(t.dir.path() / "jvm/java.002"), c.runs > 1 ? "java.policy" : "");
        for (int run = 0; c.replace && run < c.runs; ++run)
            records += c.record + destination + " identitydb.001" + platform::TextNewline;
        EXPECT_EQ(readFile(t.dir.path() / "changes.txt"), records) << c.locale;
        EXPECT_EQ(t.traced("backed up security file"), c.replace ? size_t(c.runs) : 0u) << c.locale;
    }
    // Only the file's own extension gives way, not a dot in its folder's name.
    SecurityTree t;
    t.dir.write("conf.d/cacerts", "old");
    EXPECT_TRUE(Security().copySecurityFile("java.policy", t.dir.str() + "\\conf.d\\cacerts", true));
    EXPECT_EQ(readFile(t.dir.path() / "conf.d/cacerts.001"), "old");
    // The destination is the source itself (the home directory is the working directory).
    const std::string changes = readFile(t.dir.path() / "changes.txt");
    EXPECT_TRUE(Security().copySecurityFile(t.dir.str() + "\\.keystore", t.dir.str() + "\\.\\.keystore", true));
    EXPECT_EQ(readFile(t.dir.path() / ".keystore"), ".keystore");
    EXPECT_EQ(readFile(t.dir.path() / "changes.txt"), changes);
}

} // namespace
