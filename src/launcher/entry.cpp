#include "launcher/entry.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/quoting.h"
#include "exec/unicode.h"
#include "launcher/cmdtokens.h"
#include "launcher/install.h"
#include "launcher/markerwait.h"
#include "locale/catalogue.h"
#include "locale/language.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/thread.h"
#include "platform/ui.h"

std::string waitInstallFilename;
std::string showDialogFilename;

namespace {

constexpr const char* WaitInstallName = "__qbxinstall.sem";
constexpr const char* ShowDialogName = "__qbxshow.sem";
constexpr const char* OriginalDirFilename = "startdir.txt";
constexpr const char* CleanupFilename = "__cleanup.exe";
constexpr const char* TempCleanupFilename = "cleanup.exe";
constexpr unsigned SafetyNetPeriod = 100; // ms: the markers are tested at least this often
constexpr std::uint64_t GracePeriod = 10000; // ms the dialog stays once it is no longer wanted
constexpr int StartDirLineLimit = 5000;

// The worker's own copy of the command line; it lives as long as the process.
std::string workerCommandLine;

void createMarker(const std::string& path)
{
    std::FILE* marker = platform::openFile(path, "wt");
    if (marker == nullptr)
        return; // a missing marker only makes the waiting end sooner
    std::fputs("ok\n", marker);
    std::fclose(marker);
}

void handOverCleanup(const std::string& currentDir, const std::string& startDir)
{
    // Started in the working directory itself, in any spelling: it holds what the user keeps.
    if (startDir.empty() || sameDirectory(startDir, currentDir)) {
        platform::removeFile(CleanupFilename);
        platform::removeFile(TempCleanupFilename);
        return;
    }
    // A directory with blanks must still reach the clean-up program as its one argument.
    platform::spawnNoWait(CleanupFilename, {CleanupFilename, quoteArgument(currentDir)});
}

/// Starts the worker on the command line and keeps the windows alive until it has finished.
void runWorker(platform::WindowHandle host, const std::string& currentDir, const std::string& commandLine)
{
    // Watching starts before the worker does, so that a worker that ends at once is seen at once.
    // It ends with this function: an open watch would keep the clean-up from removing the directory.
    MarkerWait wait(host, currentDir, SafetyNetPeriod);
    auto installRunning = [] { return platform::access(waitInstallFilename); };
    workerCommandLine = commandLine;
    if (!platform::startThread(startMainThread, &workerCommandLine)) {
        platform::removeFile(waitInstallFilename);
        platform::removeFile(showDialogFilename);
        return;
    }
    // Phase 1: the dialog stays while the installation runs and wants it shown.
    wait.until([&] { return !installRunning() || !platform::access(showDialogFilename); });
    // Phase 2: a grace period, unless the worker ends first.
    wait.until([&] { return !installRunning(); }, GracePeriod);
    // Phase 3: hidden until the worker has finished.
    if (platform::WindowHandle shown = platform::hDlgMain.load())
        platform::showWindow(shown, platform::ShowCommandHide);
    platform::showWindow(host, platform::ShowCommandHide);
    wait.until([&] { return !installRunning(); });
}

} // namespace

void getStartDir(std::string& startDir)
{
    startDir.clear();
    std::string bytes;
    if (!fexists(OriginalDirFilename) || !readWholeFile(OriginalDirFilename, bytes))
        return;
    // The first line, as a text-mode read within the line limit saw it.
    std::string line = textFileUtf8(bytes);
    line.resize(std::min({line.find('\n'), line.find('\0'), std::size_t(StartDirLineLimit - 1), line.size()}));
    startDir = trimStartDirLine(line);
}

bool startProgram(bool quiet, bool properties, const std::string& details)
{
    Install install;
    return install.install(quiet, properties, details);
}

void startMainThread(void* argument)
{
    const std::string& commandLine = *static_cast<const std::string*>(argument);
    WorkerArguments arguments = parseWorkerArguments(commandLine);
    copyFile(TempCleanupFilename, CleanupFilename);
    startProgram(arguments.quiet, arguments.properties, arguments.details);
    platform::removeFile(waitInstallFilename);
}

int launcherMain(bool previousInstance, const std::string& commandLine, int showCommand)
{
    std::string currentDir;
    getCurrentDir(currentDir);
    waitInstallFilename = currentDir + "\\" + WaitInstallName;
    showDialogFilename = currentDir + "\\" + ShowDialogName;
    std::string startDir;
    getStartDir(startDir);

    if (!previousInstance && !platform::registerHostClass())
        return 0;
    platform::WindowHandle host = platform::createHostWindow();
    platform::WindowHandle dialog = platform::createStatusDialog(host);
    setWindowCharType(dialog);

    if (!isQuietCommandLine(commandLine)) {
        platform::showWindow(host, showCommand);
        platform::showWindow(dialog, platform::ShowCommandShow);
        std::string text;
        getMessage(dialog, platform::StatusTextId, text);
        platform::setItemText(dialog, platform::StatusTextId, text);
    }

    createMarker(waitInstallFilename);
    createMarker(showDialogFilename);

    runWorker(host, currentDir, commandLine);
    handOverCleanup(currentDir, startDir);
    return 0;
}
