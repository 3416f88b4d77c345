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
    // The control file wins even when it lacks the key; without either file the answer is yes.
    const struct { const char *control, *properties; bool configure, opened, lineFound; } cases[] = {
        {nullptr, "nativeJvmInstalled=false\nconfigureWinRegistry=false\n", false, true, true},
        {"jvmName=JDK\n", "configureWinRegistry=false\n", true, true, false},
        {nullptr, nullptr, true, false, false},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        if (c.control)
            dir.write("qbx.control", c.control);
        if (c.properties)
            dir.write("native.properties", c.properties);
        ConfigureRegistryResult result = readConfigureRegistry();
        EXPECT_EQ(result.configure, c.configure);
        EXPECT_EQ(result.fileOpened, c.opened);
        EXPECT_EQ(result.lineFound, c.lineFound);
    }
}

TEST(ConfigureRegistry, TracesCarryTheCallersLabel)
{
    TempDir dir(true);
    dir.write("jinstall.log", "");
    EXPECT_TRUE(configureWinRegistry("configWinReg in installer"));
    dir.write("qbx.control", "configureWinRegistry=no\n");
    EXPECT_FALSE(configureWinRegistry("configWinReg in runjvminstaller"));
    std::string trace = readFile(dir.path() / "jinstall.log");
    for (const char* line : {" unable to open qbx.control file defaulting to configure registry",
                             " configWinReg in installer: true", " configureWinRegistry=no",
                             " configWinReg in runjvminstaller: false"})
        EXPECT_NE(trace.find(line), std::string::npos) << line << "\n" << trace;
}
