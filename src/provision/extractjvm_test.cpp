#include "provision/extractjvm.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "provision/provisiontesting.h"
#include "discovery/sysdirs.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProvisionSandbox;
using testing_support::contains;
using testing_support::readFile;

// A sandbox with tracing on, and files that hold their own names.
struct Box : ProvisionSandbox {
    Box(const std::string& files = "", const std::string& control = "")
    {
        write("jinstall.log", "");
        fs::create_directories(windows / "system");
        for (const std::string& file : list(files))
            write(file, file);
        if (!control.empty())
            write("qbx.control", control);
    }
    std::string logs() const { return windowsForm(readFile("jinstall.log") + readFile("errors.log")); }
};

TEST(ExtractJvm, ExpanderCommandNamesAFileOfTheWorkingDirectory)
{
    const struct {
        const char* selfExtractor;
        bool exists;
        bool inJvm; // the file named is the one in the subdirectory jvm
    } cases[] = {{"setup.exe", true, false}, {"jvm/setup.exe", true, false}, {"jvm\\setup.exe", true, true},
                 {"missing.exe", false, false}};
    Box box("setup.exe;jvm\\setup.exe");
    for (const auto& c : cases) {
        ExtractJvm extractor;
        std::string command;
        EXPECT_EQ(extractor.getJvmInstallerCommand(c.selfExtractor, command, box.expand("{work}")), c.exists);
        // A blank is kept only inside quotes (natively: no short names); under Wine the short form.
        std::string bare = unquotedPath(command);
        EXPECT_EQ(bare.find(' ') != std::string::npos, command.front() == '"') << command;
        EXPECT_EQ(fexists(command), c.exists) << command;
        EXPECT_TRUE(!c.exists || isPathSeparator(bare[0]) || bare[1] == ':') << "not a full path: " << command;
        EXPECT_EQ(contains(toLower(ProvisionSandbox::windowsForm(bare)), "\\jvm\\setup.exe"), c.inJvm) << command;
    }
    EXPECT_TRUE(contains(box.logs(), "Compressed JVM does *not* exist: "));
}

// "R" and "D" stand for the runtime's and the development kit's JavaSoft keys; seed and expected
// list "key|name|value;..." (an empty value: missing, "~": expected in lower case); copied names
// files that must exist afterwards.
const struct RegistryCase {
    const char *version, *type, *executable, *directory, *control, *seed, *expected, *copied, *trace;
} RegistryCases[] = {
    {"1.1.8", "JRE", "jre.exe", "{root}\\jvm118", "", "",
     "R|CurrentVersion|1.1;R\\1.1|JavaHome|~{root}\\jvm118;R\\1.1|MicroVersion|8;R\\1.1.8|MicroVersion|",
     "{win}\\jre.exe;{win}\\jrew.exe;{win}\\system\\msvcrt.dll", ""},
    {"1.8.0", "JRE", "java.exe", "{root}\\jre8\\bin", "", "",
     "R|CurrentVersion|1.8;R\\1.8|JavaHome|~{root}\\jre8;R\\1.8.0|JavaHome|~{root}\\jre8;R\\1.8.0|MicroVersion|0",
     "{win}\\java.exe;{win}\\javaw.exe", "unable to copy file from"},
    {"1.8.0", "JRE", "java.exe", "{root}\\jre8", "", "R\\1.8|MicroVersion|5",
     "R\\1.8|JavaHome|;R\\1.8|MicroVersion|5;R\\1.8.0|MicroVersion|0", "", ""},
    {"1.8.0", "JRE", "java.exe", "{root}\\bin\\bindery", "", "R|CurrentVersion|1.8",
     "R|CurrentVersion|1.8;R\\1.8|JavaHome|~{root}\\bin\\bindery", "{win}\\java.exe", ""},
    {"1.8.0", "jdk", "java.exe", "{root}\\jdk8", "", "", "D|CurrentVersion|1.8;D\\1.8|JavaHome|~{root}\\jdk8;R|CurrentVersion|",
     "", ""},
    {"1.8.0", "JRE", "java.exe", "{root}\\jre8", "configureWinRegistry=YES\n", "R\\1.8|JavaHome|c:\\other",
     "R\\1.8|JavaHome|c:\\other;R\\1.8|MicroVersion|0", "", "JavaHome already exists in registry"},
};

TEST(ExtractJvm, RegistersTheJvmWithoutOverwriting)
{
    auto split = [](const std::string& entry, std::string& key, std::string& name, std::string& value) {
        std::size_t bar = entry.find('|'), second = entry.find('|', bar + 1);
        key = std::string(entry[0] == 'R' ? JreEntry : JdkEntry) + entry.substr(1, bar - 1);
        name = entry.substr(bar + 1, second - bar - 1);
        value = entry.substr(second + 1);
    };
    for (const RegistryCase& c : RegistryCases) {
        const std::string dir = c.directory;
        const std::string bin = dir.size() > 4 && dir.substr(dir.size() - 4) == "\\bin" ? dir : dir + "\\bin";
        Box box(bin + "\\" + c.executable + ";" + bin + "\\jrew.exe;" + bin + "\\javaw.exe;" +
                    (contains(c.copied, "msvcrt") ? bin + "\\msvcrt.dll;" : std::string()) + "{win}\\javaw.exe",
                c.control);
        ASSERT_TRUE(box.keys.ready());
        std::string key, name, value;
        for (const std::string& entry : box.list(c.seed)) {
            split(entry, key, name, value);
            ASSERT_TRUE(box.keys.setMachineValue(key, name, value));
        }
        ExtractJvm extractor;
        std::string executable = c.executable;
        SCOPED_TRACE(std::string(c.version) + " " + c.type + " " + c.directory);
        ASSERT_TRUE(extractor.configureJvm(c.version, c.type, executable, box.expand(dir), box.expand("{win}"), true));
        for (const std::string& entry : box.list(c.expected)) {
            split(entry, key, name, value);
            if (!value.empty() && value[0] == '~')
                value = toLower(value.substr(1));
            EXPECT_EQ(ProvisionSandbox::windowsForm(readMachineValue(key, name)), value) << key << " " << name;
        }
        for (const std::string& file : box.list(c.copied))
            EXPECT_TRUE(fs::exists(box.at(file))) << file;
        // The Windows directory's own launcher is never replaced.
        EXPECT_EQ(readFile(box.at("{win}\\javaw.exe")), box.expand("{win}\\javaw.exe"));
        EXPECT_TRUE(contains(box.logs(), c.trace));
    }
}

} // namespace
