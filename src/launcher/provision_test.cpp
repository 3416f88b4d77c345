#include "launcher/provision.h"

#include <gtest/gtest.h>

#include "provision/provisiontesting.h"
#include "launcher/errortexts.h"
#include "launcher/install.h"

namespace {

using testing_support::ProvisionSandbox;
using testing_support::readFile;

TEST(Provision, InstallerTypeIgnoresCaseButNotSpelling)
{
    EXPECT_EQ(provisionWay("SELFEXTRATORJVMINSTALLER"), ProvisionWay::Bundle);
    EXPECT_EQ(provisionWay("ThirdPartyJvmInstaller"), ProvisionWay::VendorInstaller);
    EXPECT_EQ(provisionWay("selfExtractorJvmInstaller"), ProvisionWay::None);
    EXPECT_EQ(provisionWay("thirdPartyJvmInstaller "), ProvisionWay::None);
}

TEST(Provision, EachFailureLeavesItsTexts)
{
    const std::string unableToInstall = std::string("Unable to install JRE 17.0.2. ") + DiskSpaceText;
    const struct {
        const char* type;
        const char* file;   // the way's file value
        bool fileExists;    // present, but not a program that can run
        std::string message;
        std::string details;
        const char* logged; // in errors.log, "" for nothing
    } cases[] = {
        {"selfExtratorJvmInstaller", "", false, "The correct version of the JRE was not found on your system.",
         "Please install JRE 11 - 21 and then restart this installation program.", ""},
        {"thirdPartyJvmInstaller", "vendor.exe", false, "Unable to find JRE 11 - 21 on your system.",
         "Please install the JVM and re-start this installer.", ""},
        {"selfExtratorJvmInstaller", "jvm.exe", true, unableToInstall, OtherCausesText, ""},
        {"thirdPartyJvmInstaller", "vendor.exe", true, unableToInstall, OtherCausesText,
         "Error running JVM installer: "},
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
        run.control.jvmCommandName = "java.exe";
        run.control.jvmInstallerType = c.type;
        run.control.jvmSelfExtractor = run.control.jvmInstallerBinary = c.file;
        run.control.jvmInstallerCommand = std::string(c.file) + "/*/*/*/s";
        run.homeDirectory = box.expand("{win}");
        SCOPED_TRACE(std::string(c.type) + " " + c.file);
        EXPECT_FALSE(run.installTheJvm());
        EXPECT_EQ(run.errorMessage, c.message);
        EXPECT_EQ(run.errorDetails, c.details);
        EXPECT_NE(readFile("errors.log").find(c.logged), std::string::npos);
        EXPECT_EQ(readFile("jinstall.log").find("attempting to install jvm 17.0.2") != std::string::npos,
                  c.fileExists && c.message == unableToInstall);
    }
}

} // namespace
