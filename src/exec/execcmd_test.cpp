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

TEST(ExecCommand, MissingProgramIsReported)
{
    TempDir dir(true);
    const std::string missing = "qbx-no-such-dir\\no-such-program.exe";
    ExecCommand exec;
    EXPECT_FALSE(exec.execCommand(missing, std::string("a b"), 2));
    std::string errors = readFile(dir.path() / "errors.log");
    std::string nl = platform::TextNewline;
    EXPECT_NE(errors.find(" Unable to execute command: " + missing + nl), std::string::npos) << errors;
    EXPECT_NE(errors.find(" " + std::string(19, ' ') + "result -1" + nl), std::string::npos) << errors;
    EXPECT_NE(errors.find(" " + std::string(20, ' ') + "errno 2" + nl), std::string::npos) << errors;

    // Traces and errors go to the files chosen.
    dir.write("logs/trace.log", "");
    exec.setErrorsFilename((dir.path() / "logs" / "err.log").string());
    exec.setTraceFilename((dir.path() / "logs" / "trace.log").string());
    EXPECT_FALSE(exec.execCommand(missing, std::nullopt, 0));
    EXPECT_NE(readFile(dir.path() / "logs" / "trace.log").find(" Command started ok: false"), std::string::npos);
    EXPECT_NE(readFile(dir.path() / "logs" / "err.log").find("errno 2"), std::string::npos);
}

TEST(ExecCommand, ProgramsGetEveryPieceOfTheArgumentText)
{
    TempDir dir(true);
    std::string program = testing_support::argsRecorderProgram(dir);
    // More pieces than announced still all reach the program.
    EXPECT_TRUE(ExecCommand().execCommand(program, std::string("a  b c d"), 1));
    EXPECT_EQ(readFile(dir.path() / "args.out"), "a\nb\nc\nd\n");
}
