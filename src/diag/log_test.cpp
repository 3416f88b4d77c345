#include "diag/log.h"

#include <gtest/gtest.h>

#include <regex>

#include "diag/trace.h"
#include "platform/files.h"
#include "testing/tempdir.h"

using testing_support::readFile;
using testing_support::TempDir;

namespace {

// asctime: weekday, month, day padded to two places, hh:mm:ss, year; then one blank.
const std::string TimeText = R"((Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4} )";

std::string lineRegex(const std::string& message)
{
    return TimeText + message + (std::string(platform::TextNewline) == "\r\n" ? "\r\n" : "\n");
}

TEST(Log, WritesEveryFormInTheLineFormatAndEchoesWithTermLog)
{
    TempDir dir(true);
    Log log;
    testing::internal::CaptureStdout();
    log.logMessage("x.log", "plain");
    log.logMessage("x.log", "label", "detail");
    log.logMessage("x.log", "flag", true);
    log.logMessage("x.log", "flag", false);
    log.logMessage("x.log", "count", -42);
    log.logMessage("x.log", "");
    std::string expected = lineRegex("plain") + lineRegex("label detail") + lineRegex("flag: true") +
                           lineRegex("flag: false") + lineRegex("count: -42") + lineRegex("");
    std::string content = readFile("x.log");
    EXPECT_TRUE(std::regex_match(content, std::regex(expected))) << content;

    dir.write("term.log", "");
    log.logMessage("x.log", "echoed line");
    log.logMessage((dir.path() / "missing" / "x.log").string(), "never echoed");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("plain"), std::string::npos);
    EXPECT_NE(out.find("echoed line"), std::string::npos);
    EXPECT_EQ(out.find("never echoed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

} // namespace
