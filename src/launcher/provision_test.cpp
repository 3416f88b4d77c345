#include "launcher/provision.h"

#include <gtest/gtest.h>

#include "provision/provisiontesting.h"
#include "launcher/errortexts.h"
#include "launcher/install.h"

namespace {

using testing_support::ProvisionSandbox;
using testing_support::readFile;

TEST(Provision, EachFailureLeavesItsTexts)
{
    const std::string unableToInstall = std::string("Unable to install JRE 17.0.2. ") + DiskSpaceText;
    const std::string damaged = " is not the file the package was made with (see errors.log).";
    const char* notAProgram = "677c93aa613cf4ca6ad3b1083a7bbec27e691668a5eecb02e08a93ff55049589";
    const std::string unableToInstall32 = std::string("Unable to install JRE 17.0.2 (32-bit). ") + DiskSpaceText;
    // jvmArchitecture names the kind only when it asks for one.
    const struct {
        const char* architecture;
        const char* type;
        const char* file;   // the way's file value
        bool fileExists;    // present, but not a program that can run
        std::string message;
        std::string details;
        std::string logged; // in errors.log, "" for nothing
        const char* sha256 = "";
    } cases[] = {
        {"any", "selfExtratorJvmInstaller", "", false, "The correct version of the JRE was not found on your system.",
         "Please install JRE 11 - 21 and then restart this installation program.", ""},
        {"64", "thirdPartyJvmInstaller", "vendor.exe", false, "Unable to find JRE 11 - 21 (64-bit) on your system.",
         "Please install the JVM and re-start this installer.", ""},
        // The right digest lets the program run (and fail).
        {"32", "selfExtratorJvmInstaller", "jvm.exe", true, unableToInstall32, OtherCausesText,
         "Unable to execute command:", notAProgram},
        {"", "thirdPartyJvmInstaller", "vendor.exe", true, unableToInstall, OtherCausesText,
         "Error running JVM installer: ", notAProgram},
        // Another digest, or a value that is none, runs nothing.
        {"64", "selfExtratorJvmInstaller", "jvm.exe", true, DamagedPackageText, "jvm.exe" + damaged,
         std::string("computed: ") + notAProgram, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"", "thirdPartyJvmInstaller", "vendor.exe", true, DamagedPackageText, "vendor.exe" + damaged,
         "sha256JvmInstallerBinary is not 64 hexadecimal digits", "677c93aa613cf4ca6ad3b1083a7bbec27e691668a5eecb"},
    };
    for (const auto& c : cases) {
        ProvisionSandbox box;
        box.write("jinstall.log", "");
        if (c.fileExists)
            box.write(c.file, "not a program");
        Install run;
        run.control.jvmMinVersion = "11";
        run.control.jvmMaxVersion = "21";
        run.control.jvmVersion = "17.0.2";
        run.control.jvmName = "JRE";
        run.control.jvmArchitecture = c.architecture;
        run.control.jvmCommandName = "java.exe";
        run.control.jvmInstallerType = c.type;
        run.control.jvmSelfExtractor = run.control.jvmInstallerBinary = c.file;
        run.control.jvmInstallerCommand = std::string(c.file) + "/*/*/*/s";
        run.control.sha256JvmSelfExtractor = run.control.sha256JvmInstallerBinary = c.sha256;
        run.homeDirectory = box.expand("{win}");
        SCOPED_TRACE(std::string(c.type) + " " + c.file + " " + c.sha256);
        EXPECT_FALSE(run.installTheJvm());
        EXPECT_EQ(run.errorMessage, c.message);
        EXPECT_EQ(run.errorDetails, c.details);
        const std::string errors = readFile("errors.log");
        EXPECT_NE(errors.find(c.logged), std::string::npos);
        const bool ran = errors.find("Unable to execute command:") != std::string::npos ||
                         errors.find("Error running JVM installer") != std::string::npos;
        EXPECT_EQ(ran, c.fileExists && c.details == OtherCausesText);
        EXPECT_EQ(readFile("jinstall.log").find("attempting to install jvm 17.0.2") != std::string::npos, c.fileExists);
    }
}

} // namespace
