#include "platform/posix/cmdline.h"

#include "exec/quoting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(WindowsArgv, ParsesAsTheRuntimeLibraryDoes)
{
    const struct {
        std::string line;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {""}},
        {"prog  a \t b  ", {"prog", "a", "b"}},
        {"prog a\"b c\"d", {"prog", "ab cd"}},
        {"prog \"\"", {"prog", ""}},
        {"prog \"unclosed arg", {"prog", "unclosed arg"}},
        // Backslashes are literal unless they precede a double quote.
        {"prog C:\\dir\\ x\\\\y", {"prog", "C:\\dir\\", "x\\\\y"}},
        // 2n backslashes and a quote: n backslashes, the quote toggles.
        {"prog \"C:\\dir\\\\\" x", {"prog", "C:\\dir\\", "x"}},
        // 2n+1 backslashes and a quote: n backslashes and a literal quote.
        {"prog a\\\\\\\"b c", {"prog", "a\\\"b", "c"}},
        // Two quotes inside quotes: a literal quote, and the part stays quoted.
        {"prog \"a\"\"b c\"", {"prog", "a\"b c"}},
        {"prog \"a\"\"\"b c\"", {"prog", "a\"b", "c"}},
        // The program name: up to a blank or tab, or quoted as a whole, without backslash rules.
        {"C:\\Program Files\\x.exe a", {"C:\\Program", "Files\\x.exe", "a"}},
        {"\"C:\\dir\\\"a", {"C:\\dir\\", "a"}},
        {"pr\"og\" x", {"pr\"og\"", "x"}},
        {" prog", {"", "prog"}},
        {"\"\" a", {"", "a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::windowsArgv(c.line), c.expected) << c.line;
}

// An argument the launcher quotes arrives whole, also when its writer quoted it.
TEST(WindowsArgv, QuotedArgumentsArriveWhole)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(platform::windowsArgv("java " + quoteArgument("C:\\dir with blank\\") + " Main"),
              (Args{"java", "C:\\dir with blank\\", "Main"}));
    EXPECT_EQ(platform::windowsArgv("java " + quoteArgument(".;\"C:\\My Lib\\x.jar\"") + " Main"),
              (Args{"java", ".;C:\\My Lib\\x.jar", "Main"}));
}
