#include "launcher/wizardargs.h"

#include <gtest/gtest.h>

#include "launcher/provision.h"

namespace {

using Args = std::vector<std::string>;

TEST(WizardArguments, BuildsTheVectorElementByElement)
{
    WizardCommand quietRun{"C:\\Program Files\\Java\\jre\\bin\\javaw.exe", "", "-cp", ".;install.jar", "Setup",
                           true, false, "props.txt"};
    EXPECT_EQ(wizardArguments(quietRun), (Args{"javaw.exe", "-cp", ".;install.jar", "Setup", "-q", "props.txt"}));

    WizardCommand withSwitches{"java.exe", "-Xmx64m  -Dx=1", "-classpath", "a.jar", "Main arg1 arg2",
                               false, false, "ignored"};
    EXPECT_EQ(wizardArguments(withSwitches),
              (Args{"java.exe", "-Xmx64m", "", "-Dx=1", "-classpath", "a.jar", "Main", "arg1", "arg2"}));
}

TEST(WizardArguments, EmptyValuesKeepTheirPlaces)
{
    WizardCommand empty{"C:\\j\\java.exe", "", "", "", "", false, true, ""};
    // Switch, class path and install parameters are one element each even when empty;
    // a properties run without details adds neither "-s" nor details.
    EXPECT_EQ(wizardArguments(empty), (Args{"java.exe", "", "", ""}));

    WizardCommand both{"java.exe", "", "-cp", "x", "Main", true, true, "d"};
    EXPECT_EQ(wizardArguments(both), (Args{"java.exe", "-cp", "x", "Main", "-q", "d"}));
}

TEST(WizardArguments, ClassPathAndDetailsWithBlanksStayOneArgument)
{
    WizardCommand blanks{"java.exe", "", "-cp", "C:\\My Apps\\install.jar", "Main", false, true,
                         "C:\\Users\\John Doe\\props.txt"};
    EXPECT_EQ(wizardArguments(blanks), (Args{"java.exe", "-cp", "\"C:\\My Apps\\install.jar\"", "Main", "-s",
                                            "\"C:\\Users\\John Doe\\props.txt\""}));
}

TEST(VersionDescription, NamesWhatIsWanted)
{
    EXPECT_EQ(versionDescription("1.4.2", "1.3", "1.5"), "1.4.2");
    EXPECT_EQ(versionDescription("", "1.6", "1.8"), "1.6 - 1.8");
    EXPECT_EQ(versionDescription("", "1.6", ""), "1.6 or a later version");
}

} // namespace
