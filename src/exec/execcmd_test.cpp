#include "exec/execcmd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "testing/childprogram.h"
#include "testing/tempdir.h"

using testing_support::readFile;
using testing_support::TempDir;

TEST(ExecCommand, ArgumentTextSplitsAtEveryBlank)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(splitArgumentText("cmd", std::nullopt), Args{"cmd"});
    EXPECT_EQ(splitArgumentText("cmd", ""), (Args{"cmd", ""}));
    EXPECT_EQ(splitArgumentText("cmd", "a  b"), (Args{"cmd", "a", "", "b"}));
    EXPECT_EQ(splitArgumentText("cmd", "-x\t-y"), (Args{"cmd", "-x\t-y"}));
}

TEST(ExecCommand, ProgramsGetEveryPieceOfTheArgumentText)
{
    TempDir dir(true);
    std::string program = testing_support::argsRecorderProgram(dir);
    // More pieces than announced still all reach the program.
    EXPECT_TRUE(ExecCommand().execCommand(program, std::string("a  b c d"), 1));
    EXPECT_EQ(readFile(dir.path() / "args.out"), "a\nb\nc\nd\n");
}
