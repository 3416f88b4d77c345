#include "control/configreg.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "testing/tempdir.h"

using testing_support::readFile;
using testing_support::TempDir;

TEST(ConfigureRegistry, ValueOfTheFirstKeyLine)
{
    // The control file wins even when it lacks the key; without either file the answer is yes.
    const struct {
        std::optional<std::string> control;
        const char* properties;
        bool expected;
    } cases[] = {
        {"configureWinRegistry=YES\n", nullptr, true},
        {"configureWinRegistry=no\n", nullptr, false},
        {"configureWinRegistry\n", nullptr, false},
        {"configureWinRegistry=yes \n", nullptr, false},
        {"configureWinRegistryX=yes\n", nullptr, false},
        {"configureWinRegistry:true\n", nullptr, true},
        {"jvmName=JDK\n# configureWinRegistry=no\n", "configureWinRegistry=false\n", true},
        {"", nullptr, true},
        {"configureWinRegistry=no\nconfigureWinRegistry=yes\n", nullptr, false},
        {std::string(998, 'x') + "configureWinRegistry=no\n", nullptr, false},
        {std::string(997, 'x') + "configureWinRegistry=no\n", nullptr, true},
        {std::nullopt, "nativeJvmInstalled=false\nconfigureWinRegistry=false\n", false},
        {std::nullopt, nullptr, true},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        if (c.control)
            dir.write("qbx.control", *c.control);
        if (c.properties)
            dir.write("native.properties", c.properties);
        ConfigureRegistryResult result = readConfigureRegistry();
        EXPECT_EQ(result.configure, c.expected) << c.control.value_or("-").substr(0, 60);
        EXPECT_EQ(result.fileOpened, c.control || c.properties);
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
