#include "control/configreg.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "testing/tempdir.h"

// The first key line decides; the control file wins even when it lacks the key; without either
// file the answer is yes.
TEST(ConfigureRegistry, ValueOfTheFirstKeyLine)
{
    const struct {
        std::optional<std::string> control;
        const char* properties;
        bool expected;
    } cases[] = {
        {"configureWinRegistry=YES\n", nullptr, true},
        {"configureWinRegistry\n", nullptr, false},
        {"configureWinRegistry=yes \n", nullptr, false},
        {"configureWinRegistry=no\nconfigureWinRegistry=yes\n", nullptr, false},
        {"jvmName=JDK\n", "configureWinRegistry=false\n", true},
        {std::nullopt, "configureWinRegistry=false\n", false},
        {std::nullopt, nullptr, true},
    };
    for (const auto& c : cases) {
        testing_support::TempDir dir(true);
        if (c.control)
            dir.write("qbx.control", *c.control);
        if (c.properties)
            dir.write("native.properties", c.properties);
        EXPECT_EQ(readConfigureRegistry().configure, c.expected) << c.control.value_or("-");
    }
}
