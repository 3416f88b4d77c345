#include "launcher/cmdtokens.h"

#include <gtest/gtest.h>

// The last token is never a switch: it is the details, or nothing.
TEST(WorkerArguments, TheLastTokenIsNeverASwitch)
{
    EXPECT_FALSE(isQuietCommandLine("-q"));
    EXPECT_TRUE(isQuietCommandLine("-q "));
    EXPECT_FALSE(parseWorkerArguments("x -s").properties);
    EXPECT_EQ(parseWorkerArguments("-s \"C:\\My Dir\\p.txt\"").details, "C:\\My Dir\\p.txt");
}
