#include "platform/posix/cmdline.h"

#include "exec/quoting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// An argument the launcher quotes arrives whole, also when its writer quoted it.
TEST(WindowsArgv, QuotedArgumentsArriveWhole)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(platform::windowsArgv("java " + quoteArgument("C:\\dir with blank\\") + " Main"),
              (Args{"java", "C:\\dir with blank\\", "Main"}));
    EXPECT_EQ(platform::windowsArgv("java " + quoteArgument(".;\"C:\\My Lib\\x.jar\"") + " Main"),
              (Args{"java", ".;C:\\My Lib\\x.jar", "Main"}));
}
