#include "launcher/wizardargs.h"

#include <gtest/gtest.h>

#include "launcher/provision.h"

namespace {

using Args = std::vector<std::string>;

TEST(WizardArguments, BuildsTheVectorElementByElement)
{
    // Switch, class path and install parameters are one element each even when empty; a class
    // path or details with blanks stay one argument; details follow "-q" or "-s" only.
    const struct {
        WizardCommand command;
        Args expected;
    } cases[] = {
        {{"C:\\Program Files\\Java\\jre\\bin\\javaw.exe", "", "-cp", ".;install.jar", "Setup", true, false, "p.txt"},
         {"javaw.exe", "-cp", ".;install.jar", "Setup", "-q", "p.txt"}},
        {{"java.exe", "-Xmx64m  -Dx=1", "-classpath", "a.jar", "Main arg1 arg2", false, false, "ignored"},
         {"java.exe", "-Xmx64m", "", "-Dx=1", "-classpath", "a.jar", "Main", "arg1", "arg2"}},
        {{"C:\\j\\java.exe", "", "", "", "", false, true, ""}, {"java.exe", "", "", ""}},
        {{"java.exe", "", "-cp", "x", "Main", true, true, "d"}, {"java.exe", "-cp", "x", "Main", "-q", "d"}},
        {{"java.exe", "", "-cp", "C:\\My Apps\\install.jar", "Main", false, true, "C:\\Users\\John Doe\\props.txt"},
         {"java.exe", "-cp", "\"C:\\My Apps\\install.jar\"", "Main", "-s", "\"C:\\Users\\John Doe\\props.txt\""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wizardArguments(c.command), c.expected) << c.command.jvmPath;
}

} // namespace
