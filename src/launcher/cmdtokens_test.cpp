#include "launcher/cmdtokens.h"

#include <gtest/gtest.h>

namespace {

struct WorkerCase {
    const char* commandLine;
    bool quiet;
    bool properties;
    const char* details;
    bool quietUi;
};

void PrintTo(const WorkerCase& c, std::ostream* os)
{
    *os << '[' << c.commandLine << ']';
}

class WorkerArgumentsTest : public testing::TestWithParam<WorkerCase> {};

TEST_P(WorkerArgumentsTest, ParsesSwitchesAndDetails)
{
    const WorkerCase& c = GetParam();
    WorkerArguments parsed = parseWorkerArguments(c.commandLine);
    EXPECT_EQ(parsed.quiet, c.quiet) << c.commandLine;
    EXPECT_EQ(parsed.properties, c.properties) << c.commandLine;
    EXPECT_EQ(parsed.details, c.details) << c.commandLine;
    EXPECT_EQ(isQuietCommandLine(c.commandLine), c.quietUi) << c.commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, WorkerArgumentsTest,
    testing::Values(
        WorkerCase{"", false, false, "", false},
        // The last token is never a switch.
        WorkerCase{"-q", false, false, "", false},
        WorkerCase{"-q ", true, false, "", true},
        WorkerCase{"-s props.txt", false, true, "props.txt", true},
        WorkerCase{"-s \"C:\\My Dir\\p.txt\"", false, true, "C:\\My Dir\\p.txt", true},
        WorkerCase{"-s \"C:\\a b c\\p.txt\" ", false, true, "C:\\a b c\\p.txt", true},
        WorkerCase{"-q -s a b", true, true, "a", true},
        // Switches compare exactly and case-sensitively.
        WorkerCase{"-Q x", false, false, "", false},
        WorkerCase{"x -q", false, false, "", false},
        // Two blanks give an empty token; the details stay empty, so the last token fills them.
        WorkerCase{"-q  file", true, false, "file", true},
        WorkerCase{"-q  file x", true, false, "file", true},
        // Words before a switch are ignored.
        WorkerCase{"foo -s bar", false, true, "bar", true},
        // A quoted word closed in the same token does not keep its closing quote.
        WorkerCase{"-s \"p.txt\" extra", false, true, "p.txt", true},
        // The last token alone is taken exactly as written.
        WorkerCase{"-s \"p.txt\"", false, true, "\"p.txt\"", true}));

TEST(SplitAtBlanks, KeepsEmptyTokens)
{
    EXPECT_EQ(splitAtBlanks("a  b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitAtBlanks(""), (std::vector<std::string>{""}));
    EXPECT_EQ(splitAtBlanks("-q "), (std::vector<std::string>{"-q", ""}));
}

TEST(TrimStartDirLine, CutsLineEndsAndBlanksButNotTabsOrFirstCharacter)
{
    EXPECT_EQ(trimStartDirLine("C:\\Users\\me \r\n"), "C:\\Users\\me");
    EXPECT_EQ(trimStartDirLine("C:\\dir\t\n"), "C:\\dir\t");
    EXPECT_EQ(trimStartDirLine(" "), " ");
    EXPECT_EQ(trimStartDirLine("\r\n"), "");
    EXPECT_EQ(trimStartDirLine(""), "");
}

} // namespace
