// qbxcheck: the packager's console tool. "qbxcheck [DIR]" checks a payload, "qbxcheck --find [DIR]"
// shows which JVMs this machine offers an install run. Neither changes the payload.
#include <cstdio>
#include <ctime>
#include <string>

#include "check/finding.h"
#include "check/jvmreport.h"
#include "check/payloadcheck.h"
#include "exec/clib.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/system.h"

namespace {

constexpr const char* Usage = "usage: qbxcheck [--find] [DIR]\n"
                              "  qbxcheck DIR         checks the payload in DIR (default: the current directory)\n"
                              "  qbxcheck --find DIR  lists the JVMs an install run with DIR's control file finds\n";

void print(const std::string& line)
{
    platform::writeText(stdout, line + "\n");
}

// A fresh folder of our own for the control file's copy, traces and the version test's result.
bool makeScratch(std::string& scratch)
{
    std::string base;
    for (const char* variable : {"TEMP", "TMP", "TMPDIR"})
        if (platform::getEnv(variable, base) && !base.empty())
            break;
    if (base.empty())
        base = "/tmp";
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        scratch = base + "\\qbxcheck-" + std::to_string(std::time(nullptr)) + "-" + std::to_string(attempt);
        if (platform::makeDir(scratch))
            return true;
    }
    return false;
}

int check(const std::string& dir, const std::string& scratch, const std::string& shown)
{
    Findings findings;
    PayloadCheck payload(dir, scratch);
    if (!payload.run(findings)) {
        print("error: " + shown + ": cannot be read");
        return 2;
    }
    for (const Finding& finding : findings.all())
        print(findingLine(finding));
    std::size_t errors = findings.count(Severity::Error);
    print(shown + ": " + std::to_string(errors) + " errors, " + std::to_string(findings.count(Severity::Warning)) +
          " warnings");
    return errors == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Nobody may have to click a box: the launcher's readers report on standard error instead.
    platform::putEnv("QBX_MESSAGE_BOXES=stderr");
    bool find = false;
    std::string dir = ".";
    int given = 0;
    for (const std::string& arg : platform::commandArguments(argc, argv)) {
        if (arg == "--find")
            find = true;
        else if (arg.empty() || arg[0] == '-' || ++given > 1) {
            std::fputs(Usage, stderr);
            return 2;
        } else
            dir = arg;
    }
    std::string full;
    platform::FileStatus status;
    if (!platform::fullPathName(dir, full, MaxPathLength) || !platform::stat(full, status) || !status.isDirectory) {
        print("error: " + dir + ": cannot be read");
        return 2;
    }
    std::string scratch, start;
    if (!makeScratch(scratch) || !platform::getCwd(start) || !platform::chDir(scratch)) {
        print("error: no scratch folder for the control file's copy");
        return 2;
    }
    int code = find ? JvmReport(full, scratch).run(print) : check(full, scratch, dir);
    platform::chDir(start);
    for (const char* left : {"qbx.control", "jvmGood.txt", "TestJvm.class", "jinstall.log", "errors.log"})
        platform::removeFile(scratch + "\\" + left);
    platform::removeDir(scratch);
    return code;
}
