#include "launcher/cmdtokens.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkerArguments, ParsesSwitchesAndDetails)
{
    const struct {
        const char* commandLine;
        bool quiet, properties;
        const char* details;
        bool quietUi;
    } cases[] = {
        {"", false, false, "", false},
        {"-q", false, false, "", false}, // the last token is never a switch
        {"-q ", true, false, "", true},
        {"-s \"C:\\My Dir\\p.txt\"", false, true, "C:\\My Dir\\p.txt", true},
        {"-s \"C:\\a b c\\p.txt\" ", false, true, "C:\\a b c\\p.txt", true},
        {"-q -s a b", true, true, "a", true},
        {"-Q x", false, false, "", false}, // switches compare exactly
        // Two blanks give an empty token; the details stay empty, so the last token fills them.
        {"-q  file x", true, false, "file", true},
        {"foo -s bar", false, true, "bar", true}, // words before a switch are ignored
        // A quoted word closed in its token loses its closing quote; the last token is taken as written.
        {"-s \"p.txt\" extra", false, true, "p.txt", true},
        {"-s \"p.txt\"", false, true, "\"p.txt\"", true},
    };
    for (const auto& c : cases) {
        WorkerArguments parsed = parseWorkerArguments(c.commandLine);
        EXPECT_EQ(parsed.quiet, c.quiet) << c.commandLine;
        EXPECT_EQ(parsed.properties, c.properties) << c.commandLine;
        EXPECT_EQ(parsed.details, c.details) << c.commandLine;
        EXPECT_EQ(isQuietCommandLine(c.commandLine), c.quietUi) << c.commandLine;
    }
}

} // namespace
