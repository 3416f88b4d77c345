#include "control/configreg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/tempdir.h"

using testing_support::readFile;
using testing_support::TempDir;

TEST(ConfigureRegistry, ValueOfTheFirstKeyLine)
{
    struct Case {
        std::string content;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"configureWinRegistry=YES\n", true},
        {"configureWinRegistry=True\n", true},
        {"configureWinRegistry=no\n", false},
        {"configureWinRegistry\n", false},
        {"configureWinRegistry=yes \n", false},
        {"configureWinRegistryX=yes\n", false},
        {"configureWinRegistry:true\n", true},
        {"jvmName=JDK\n# configureWinRegistry=no\n", true},
        {"", true},
        {"configureWinRegistry=no\nconfigureWinRegistry=yes\n", false},
        {std::string(998, 'x') + "configureWinRegistry=no\n", false},
        {std::string(997, 'x') + "configureWinRegistry=no\n", true},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        dir.write("qbx.control", c.content);
        ConfigureRegistryResult result = readConfigureRegistry();
        EXPECT_EQ(result.configure, c.expected) << c.content.substr(0, 60);
        EXPECT_TRUE(result.fileOpened);
    }
}

TEST(ConfigureRegistry, NativePropertiesIsTheSecondSource)
{
    {
        TempDir dir(true);
        dir.write("native.properties", "nativeJvmInstalled=false\nconfigureWinRegistry=false\n");
        ConfigureRegistryResult result = readConfigureRegistry();
        EXPECT_FALSE(result.configure);
        EXPECT_TRUE(result.lineFound);
        EXPECT_EQ(result.line, "configureWinRegistry=false");
    }
    {
        // The control file wins even when it lacks the key.
        TempDir dir(true);
        dir.write("qbx.control", "jvmName=JDK\n");
        dir.write("native.properties", "configureWinRegistry=false\n");
        ConfigureRegistryResult result = readConfigureRegistry();
        EXPECT_TRUE(result.configure);
        EXPECT_TRUE(result.fileOpened);
        EXPECT_FALSE(result.lineFound);
    }
    {
        TempDir dir(true);
        ConfigureRegistryResult result = readConfigureRegistry();
        EXPECT_TRUE(result.configure);
        EXPECT_FALSE(result.fileOpened);
    }
}

TEST(ConfigureRegistry, TracesCarryTheCallersLabel)
{
    {
        TempDir dir(true);
        dir.write("jinstall.log", "");
        EXPECT_TRUE(configureWinRegistry("configWinReg in installer"));
        std::string trace = readFile(dir.path() / "jinstall.log");
        EXPECT_NE(trace.find(" unable to open qbx.control file defaulting to configure registry"), std::string::npos)
            << trace;
        EXPECT_NE(trace.find(" configWinReg in installer: true"), std::string::npos) << trace;
    }
    {
        TempDir dir(true);
        dir.write("jinstall.log", "");
        dir.write("qbx.control", "configureWinRegistry=no\n");
        EXPECT_FALSE(configureWinRegistry("configWinReg in runjvminstaller"));
        std::string trace = readFile(dir.path() / "jinstall.log");
        EXPECT_NE(trace.find(" configureWinRegistry=no"), std::string::npos) << trace;
        EXPECT_NE(trace.find(" configureWinRegistry: false"), std::string::npos) << trace;
        EXPECT_NE(trace.find(" configWinReg in runjvminstaller: false"), std::string::npos) << trace;
        EXPECT_EQ(trace.find("unable to open"), std::string::npos) << trace;
    }
}
