#include "provision/runjvminstaller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "discovery/jvmtesting.h"
#include "provision/provisiontesting.h"
#include "testing/childprogram.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProvisionSandbox;
using testing_support::contains;
using testing_support::readFile;

// A box with tracing on and the vendor's program in the working directory.
struct Box : ProvisionSandbox {
    explicit Box(std::string (*program)(const testing_support::TempDir&))
    {
        write("jinstall.log", "");
        fs::copy_file(program(root), work / "vendor.exe");
        fs::permissions(work / "vendor.exe", fs::perms::owner_all, fs::perm_options::add);
    }
    std::string logs() const { return windowsForm(readFile("jinstall.log") + readFile("errors.log")); }
    std::string jvmDir() const { return expand("{pf}\\JavaSoft\\JRE17.0\\17.0"); }
};

TEST(RunJvmInstaller, ReportsAnInstallerThatLeavesNoJvmOrCannotStart)
{
    Box box(testing_support::argsRecorderProgram);
    RunJvmInstaller installer;
    std::string name = "java.exe", jvmPath;
    EXPECT_FALSE(installer.run("", "11", "", "17.0", "JRE", name, "vendor.exe", "vendor.exe/*/*/*/s", jvmPath,
                               box.expand("{win}")));
    EXPECT_TRUE(contains(box.logs(), "# of args: 1"));
    EXPECT_TRUE(contains(box.logs(), "Correct version of JVM was not found in common locations"));
    fs::remove(box.at(box.jvmDir() + "\\args.out"));

    EXPECT_FALSE(installer.run("", "11", "", "17.0", "JRE", name, "vendor.exe", "missing.exe/*/*/*-q", jvmPath, ""));
    EXPECT_TRUE(contains(readFile("errors.log"), "Unable to start missing.exe missing.exe -q"));
    EXPECT_FALSE(fs::exists(box.at(box.jvmDir())));
    // A JVM already where the vendor's would go is taken as it is: the vendor's program does not run.
    testing_support::makeFakeJvm(box.at(box.jvmDir() + ".0\\bin"), {"java.exe"});
    EXPECT_TRUE(installer.run("", "11", "", "17.0", "JRE", name, "vendor.exe", "vendor.exe/*/*/*/s", jvmPath, ""));
    EXPECT_FALSE(fs::exists(box.at(box.jvmDir() + ".0\\args.out")));
}

} // namespace
