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

namespace {

// A path that exists nowhere, in the launcher's path form.
const std::string MissingProgram = "qbx-no-such-dir\\no-such-program.exe";

} // namespace

TEST(ExecCommand, ArgsString)
{
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{}, ""},
        {{"java", "-cp", "C:\\Program Files\\app.jar"}, "java -cp \"C:\\Program Files\\app.jar\""},
        {{"java", "-Dx=\"a b\""}, "java -Dx=\"a b\""},
        {{"a", "", "b"}, "a  b"},
        {{"C:\\Program Files\\Java\\bin\\java.exe"}, "\"C:\\Program Files\\Java\\bin\\java.exe\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExecCommand::argsString(c.args), c.expected);
}

TEST(ExecCommand, ArgumentTextSplitsAtEveryBlank)
{
    struct Case {
        std::optional<std::string> text;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {"cmd"}},
        {"", {"cmd", ""}},
        {"a  b", {"cmd", "a", "", "b"}},
        {"\"a b\"", {"cmd", "\"a", "b\""}},
        {"-x\t-y", {"cmd", "-x\t-y"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitArgumentText("cmd", c.text), c.expected) << c.text.value_or("(none)");
}

TEST(ExecCommand, MissingProgramIsReported)
{
    TempDir dir(true);
    ExecCommand exec;
    std::string errorText = "unchanged";
    int exitCode = 0;
    EXPECT_FALSE(exec.spawnAndWait(MissingProgram, {MissingProgram, "a"}, errorText, exitCode));
    EXPECT_EQ(errorText, "File or path is not found");
    // spawnAndWait leaves the errors file to its callers.
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "errors.log"));

    EXPECT_FALSE(exec.execCommand(MissingProgram, std::string("a b"), 2));
    std::string errors = readFile(dir.path() / "errors.log");
    std::string nl = platform::TextNewline;
    EXPECT_NE(errors.find(" Unable to execute command: " + MissingProgram + nl), std::string::npos) << errors;
    EXPECT_NE(errors.find(" " + std::string(19, ' ') + "result -1" + nl), std::string::npos) << errors;
    EXPECT_NE(errors.find(" " + std::string(20, ' ') + "errno 2" + nl), std::string::npos) << errors;

    // Traces and errors go to the files chosen.
    dir.write("logs/trace.log", "");
    exec.setErrorsFilename((dir.path() / "logs" / "err.log").string());
    exec.setTraceFilename((dir.path() / "logs" / "trace.log").string());
    EXPECT_FALSE(exec.execCommand(MissingProgram, std::nullopt, 0));
    std::string trace = readFile(dir.path() / "logs" / "trace.log");
    EXPECT_NE(trace.find(" Command started ok: false"), std::string::npos) << trace;
    EXPECT_NE(readFile(dir.path() / "logs" / "err.log").find("errno 2"), std::string::npos);
    EXPECT_EQ(readFile(dir.path() / "errors.log"), errors);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "jinstall.log"));
}

TEST(ExecCommand, ChildSeesTheJoinedCommandLineAndAnExitCodeIsSuccess)
{
    // The vector is joined by blanks without quoting, so the child re-splits it.
    TempDir dir(true);
    std::string program = testing_support::argsRecorderProgram(dir);
    ExecCommand exec;
    std::string errorText = "unchanged";
    int exitCode = 0;
    EXPECT_TRUE(exec.spawnAndWait(program, {program, "a b", "\"c d\"", "x\\\"y", "\"e\"\"f g\"", "h\\\\\"i j\""},
                                  errorText, exitCode));
    EXPECT_EQ(errorText, "unchanged");
    EXPECT_EQ(exitCode, 3);
    EXPECT_EQ(readFile(dir.path() / "args.out"), "a\nb\nc d\nx\"y\ne\"f g\nh\\i j\n");

    // More pieces than announced still all reach the program.
    EXPECT_TRUE(exec.execCommand(program, std::string("a  b c d"), 1));
    EXPECT_EQ(readFile(dir.path() / "args.out"), "a\nb\nc\nd\n");
    EXPECT_TRUE(exec.execCommand(program, std::nullopt, 0));
    EXPECT_EQ(readFile(dir.path() / "args.out"), "");
}

TEST(ExecCommand, LaunchFileBytes)
{
    const std::string nl = platform::TextNewline;
    struct Case {
        std::optional<std::string> text;
        std::string secondLine;
    };
    const std::vector<Case> cases = {
        {std::string("/s"), "setup.exe /s"},
        {std::nullopt, "setup.exe"},
        {std::string(""), "setup.exe "},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        ExecCommand exec;
        EXPECT_TRUE(exec.createLaunchFile("setup.exe", c.text));
        EXPECT_EQ(readFile(dir.path() / "__qbxlaunch.bat"), "@echo off" + nl + c.secondLine + nl + "del __qbxwait.sem" + nl);
        EXPECT_EQ(readFile(dir.path() / "__qbxwait.sem"), nl);
    }
}

TEST(ExecCommand, LaunchFileThatCannotBeCreated)
{
    for (const char* blocked : {"__qbxwait.sem", "__qbxlaunch.bat"}) {
        TempDir dir(true);
        std::filesystem::create_directory(dir.path() / blocked);
        ExecCommand exec;
        EXPECT_FALSE(exec.createLaunchFile("setup.exe", std::nullopt));
        EXPECT_NE(readFile(dir.path() / "errors.log").find(std::string(" Unable to create file ") + blocked),
                  std::string::npos)
            << blocked;
        // Without the marker the launch file is not attempted.
        if (std::string(blocked) == "__qbxwait.sem") {
            EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbxlaunch.bat"));
        }
        EXPECT_FALSE(exec.execCmdAndWait("setup.exe", std::nullopt));
    }
}

TEST(ExecCommand, LaunchFileRunsAndIsRemoved)
{
    TempDir dir(true);
    std::string program = testing_support::argsRecorderProgram(dir);
    ExecCommand exec;
    bool ran = exec.execCmdAndWait(program, std::string("x y"));
    EXPECT_EQ(ran, testing_support::batchFilesRun());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbxlaunch.bat"));
    if (ran) {
        // The batch file's last line removed the marker, after the program had ended.
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbxwait.sem"));
        EXPECT_EQ(readFile(dir.path() / "args.out"), "x\ny\n");
    }
}
