// Tests of the win32 backend where its behaviour matters to the core: run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/winvers.h"
#include "launcher/safedelete.h"
#include "locale/catalogue.h"
#include "locale/language.h"
#include "provision/jvminstaller.h"
#include "platform/files.h"
#include "platform/heldfile.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/ui.h"
#include "platform/win32/instance.h"
#include "platform/win32/widetext.h"
#include "testing/childprogram.h"
#include "testing/tempdir.h"

using testing_support::TempDir;

namespace {

/// Runs a Unix program under Wine with the Unix forms of Windows paths; false elsewhere.
bool runWineUnix(const char* program, const char* option, const std::vector<std::string>& windowsPaths)
{
    auto spawnvp = reinterpret_cast<NTSTATUS(CDECL*)(char* const argv[], int wait)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    auto unixName = reinterpret_cast<char*(CDECL*)(const WCHAR* dosName)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::vector<std::string> args = {program, option};
    for (const std::string& path : windowsPaths) {
        char* unixPath = unixName != nullptr ? unixName(platform::widen(path).c_str()) : nullptr;
        if (unixPath == nullptr)
            return false;
        args.push_back(unixPath);
        HeapFree(GetProcessHeap(), 0, unixPath);
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return spawnvp != nullptr && spawnvp(argv.data(), 1) == 0;
}

/// Handles queued messages until the loop ends or a second passed; true when it ended.
bool pumpUntilQuit(platform::WindowHandle wake)
{
    platform::startTimer(wake, 1, 20);
    for (int handled = 0; handled < 50; ++handled)
        if (!platform::pumpMessage())
            return true;
    platform::killTimer(wake, 1);
    return false;
}

void dropQueuedMessages()
{
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    }
}

platform::WindowHandle newStatusDialog(platform::WindowHandle& host)
{
    hInst = GetModuleHandleA(nullptr);
    WNDCLASSA registered;
    if (!GetClassInfoA(hInst, "GenericWClass", &registered) && !platform::registerHostClass())
        return nullptr;
    host = platform::createHostWindow();
    return platform::createStatusDialog(host);
}

} // namespace

// Wine makes no junctions: its directory links are Unix links, shown as reparse points, and
// removing one would take an empty target instead. A link is reported and listed as one and never
// removed through; the delete guard sees through it and through a short name (it is only asked).
// A log is appended to only when it is a new plain file: never through a link or a hard link.
TEST(Win32Files, LinksAndShortNamesAreSeenThrough)
{
    TempDir dir;
    const std::string target = dir.str() + "\\Protected Work";
    const std::string link = dir.str() + "\\link";
    ASSERT_TRUE(platform::makeDir(target));
    ASSERT_TRUE(runWineUnix("/bin/ln", "-s", {target, link}));
    platform::FileStatus status;
    ASSERT_TRUE(platform::stat(link, status));
    EXPECT_TRUE(status.isLink && status.isDirectory);
    platform::DirEnum walk;
    platform::DirEntry entry;
    bool listed = false;
    for (bool more = walk.first(dir.str() + "\\*.*", entry); more; more = walk.next(entry))
        listed = listed || (entry.name == "link" && entry.isLink && entry.isDirectory);
    walk.close();
    EXPECT_TRUE(listed);
    EXPECT_FALSE(platform::removeDir(link));
    EXPECT_TRUE(platform::access(target));

    std::string resolved;
    char shortName[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(target.c_str(), shortName, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    EXPECT_FALSE(isSafeToDeleteTree(shortName, {target}, resolved)) << shortName;
    EXPECT_FALSE(isSafeToDeleteTree(link, {target}, resolved));
    runWineUnix("/bin/rm", "-f", {link});

    const std::string victim = dir.write("victim.txt", "keep").string();
    ASSERT_TRUE(runWineUnix("/bin/ln", "-s", {victim, dir.str() + "\\link.log"}));
    ASSERT_TRUE(runWineUnix("/bin/ln", "-f", {victim, dir.str() + "\\second.log"}));
    for (const char* name : {"link.log", "second.log", "new.log"}) {
        std::FILE* opened = platform::openAppendExactly(dir.str(), name);
        EXPECT_EQ(opened != nullptr, std::string(name) == "new.log") << name; // only a new plain file is meant
        if (opened != nullptr)
            std::fclose(opened);
    }
    runWineUnix("/bin/rm", "-f", {dir.str() + "\\link.log"}); // the runtime's tree walk loops on links
}

// Exit codes reach the caller (a child that ends with -1 has still been started and waited for),
// and so does the environment. A name without extension is looked for as the runtime's spawn did,
// a batch file runs through the command interpreter with the arguments as given; a failed start
// says what the system said.
TEST(Win32Process, SpawnPassesExitCodesAndNamesTheSystemsCause)
{
    TempDir dir;
    dir.write("exits.cmd", "@exit /b %2\r\n");
    dir.write("notes.exe", "not a program");
    std::string cmd, value;
    ASSERT_TRUE(platform::getEnv("ComSpec", cmd));
    ASSERT_TRUE(platform::putEnv("QBX_BACKEND_CHILD=42"));
    EXPECT_TRUE(platform::getEnv("qbx_backend_child", value) && value == "42") << value;
    const struct { std::string program; std::vector<std::string> args; int code, error; const char* system; } cases[] = {
        {cmd, {"cmd", "/c", "exit", "255"}, 255, 0, ""},
        {cmd, {"cmd", "/c", "exit", "-1"}, -1, 0, ""},
        {cmd, {"cmd", "/c", "exit", "%QBX_BACKEND_CHILD%"}, 42, 0, ""},
        {dir.str() + "\\exits", {"exits", "a", "5"}, 5, 0, ""},
        {dir.str() + "\\absent.exe", {"x"}, -1, platform::SpawnNoEntry, "system error 2: "},
        {dir.str() + "\\absent\\x.exe", {"x"}, -1, platform::SpawnNoEntry, "system error 3: "},
        {dir.str() + "\\absent", {"x"}, -1, platform::SpawnNoEntry, "system error 2: "},
        {dir.str() + "\\notes.exe", {"x"}, -1, platform::SpawnNotExecutable, "system error 193: "},
    };
    for (const auto& c : cases) {
        int errorNumber = 99;
        EXPECT_EQ(platform::spawnWait(c.program, c.args, errorNumber), c.code) << c.program << " " << c.args.back();
        EXPECT_EQ(errorNumber, c.error) << c.program;
        if (c.error != 0) {
            EXPECT_EQ(platform::lastSpawnFailure().rfind(c.system, 0), 0u) << platform::lastSpawnFailure();
        }
    }
    ASSERT_TRUE(platform::putEnv("QBX_BACKEND_CHILD="));
    EXPECT_FALSE(platform::getEnv("QBX_BACKEND_CHILD", value));
    EXPECT_FALSE(platform::spawnNoWait("qbx-no-such-program.exe", {"qbx-no-such-program.exe"}));
}

// A Windows program's write to a held file fails (Wine keeps share modes between Windows programs
// only); it succeeds once the file is let go.
TEST(Win32Files, HeldFileRefusesWriters)
{
    TempDir dir(true);
    dir.write("args.out", "held");
    platform::HeldFile held;
    std::string errorText;
    ASSERT_TRUE(held.open((dir.path() / "args.out").string(), errorText)) << errorText;
    const std::string recorder = testing_support::argsRecorderProgram(dir);
    int errorNumber = 0;
    EXPECT_EQ(platform::spawnWait(recorder, {"argsrecorder.exe", "x"}, errorNumber), 1);
    EXPECT_EQ(testing_support::readFile("args.out"), "held");
    held.close();
    EXPECT_EQ(platform::spawnWait(recorder, {"argsrecorder.exe", "x"}, errorNumber), 3);
    EXPECT_EQ(testing_support::readFile("args.out"), "x\n");
}

// Closing a status dialog, or Cancel, destroys only the dialog, and only Cancel ends the message
// loop; its owner's end takes it along.
TEST(Win32Ui, StatusDialogEndsAsAsked)
{
    for (const bool cancel : {false, true}) {
        platform::WindowHandle host = nullptr;
        HWND dialog = static_cast<HWND>(newStatusDialog(host));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(platform::hDlgMain.load(), dialog);
        SendMessageA(dialog, cancel ? WM_COMMAND : WM_CLOSE, cancel ? IDCANCEL : 0, 0);
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(platform::hDlgMain.load(), nullptr);
        EXPECT_TRUE(IsWindow(static_cast<HWND>(host)));
        EXPECT_EQ(pumpUntilQuit(host), cancel);

        dialog = static_cast<HWND>(platform::createStatusDialog(host));
        DestroyWindow(static_cast<HWND>(host));
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(platform::hDlgMain.load(), nullptr);
        dropQueuedMessages(); // the host's end posted a quit message
    }
}

// The longest status text of each language is shown whole (Polish and Japanese: letters outside
// the ANSI code page) and, at 100, 150 and 200% (a DPI change as Windows 10 sends it when the
// dialog moves to another monitor; Wine sends none), fits in its control, in the system's message
// font or the Japanese font, and the dialog grows with the scale.
TEST(Win32Ui, StatusDialogShowsAndFitsEveryLanguageAtEveryScale)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    for (const char* language :
         {"english", "french", "german", "spanish", "polish", "italian", "portuguese", "japanese", "dutch"}) {
        std::string longest = initialMessage(language);
        for (unsigned id = 1; id <= 5; ++id)
            if (statusMessage(language, id).size() > longest.size())
                longest = statusMessage(language, id);
        platform::WindowHandle host = nullptr;
        HWND dialog = static_cast<HWND>(newStatusDialog(host));
        ASSERT_NE(dialog, nullptr);
        if (isJapanese(language))
            platform::applyJapaneseFont(dialog);
        platform::setItemText(dialog, platform::StatusTextId, longest);
        HWND text = static_cast<HWND>(platform::dialogItem(dialog, platform::StatusTextId));
        const std::wstring wide = platform::widen(longest);
        wchar_t shown[512] = {};
        GetWindowTextW(text, shown, 512);
        EXPECT_EQ(std::wstring(shown), wide) << language;
        SIZE sizeAt[2] = {};
        for (unsigned dpi : {96u, 144u, 192u}) {
            RECT window;
            GetWindowRect(dialog, &window);
            SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
            GetWindowRect(dialog, &window);
            if (dpi != 144)
                sizeAt[dpi / 192] = SIZE{window.right - window.left, window.bottom - window.top};
            auto font = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
            LOGFONTW used{};
            ASSERT_TRUE(GetObjectW(font, sizeof used, &used)) << language;
            if (isJapanese(language))
                EXPECT_EQ(used.lfCharSet, SHIFTJIS_CHARSET);
            else
                EXPECT_EQ(std::wstring(used.lfFaceName), metrics.lfMessageFont.lfFaceName) << language;
            RECT room;
            GetClientRect(text, &room);
            HDC context = GetDC(text);
            HGDIOBJ previous = SelectObject(context, font);
            RECT needed{0, 0, room.right, 0};
            DrawTextW(context, wide.c_str(), -1, &needed, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
            SelectObject(context, previous);
            ReleaseDC(text, context);
            EXPECT_LE(needed.right, room.right) << language << " at " << dpi;
            EXPECT_LE(needed.bottom, room.bottom) << language << " at " << dpi;
        }
        EXPECT_NEAR(double(sizeAt[1].cx) / sizeAt[0].cx, 2.0, 0.2) << language;
        EXPECT_NEAR(double(sizeAt[1].cy) / sizeAt[0].cy, 2.0, 0.2) << language;
        DestroyWindow(static_cast<HWND>(host));
        dropQueuedMessages();
    }
}

// The manifest that installer.exe carries (and the unit tests): Windows 10 and 11 beside the older
// systems, which then report 10.0 and take the branches of Vista and later (documents folder, NT
// family), the DPI awareness, today's common controls, and still administrator rights.
TEST(Win32Resources, ManifestDeclaresTodaysWindows)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = std::string(self).substr(0, std::string(self).find_last_of('\\')) + "\\installer.exe";
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << program;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    ASSERT_NE(loaded, nullptr) << program;
    const std::string manifest(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, resource));
    FreeLibrary(module);
    for (const char* entry : {"level=\"requireAdministrator\" uiAccess=\"false\"",
                              "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                              "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">true/pm</dpiAware>",
                              ">PerMonitorV2, PerMonitor</dpiAwareness>",
                              "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
    EXPECT_EQ(platform::majorVersion(), 10u);
    EXPECT_TRUE(WinVersion().winNT());
    EXPECT_TRUE(JvmInstaller().isVistaOrWindows7());
}
