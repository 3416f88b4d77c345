// Tests of the win32 backend where its behaviour matters to the core: run under Wine or Windows.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exec/execcmd.h"
#include "launcher/safedelete.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "platform/win32/instance.h"
#include "platform/win32/widetext.h"
#include "testing/tempdir.h"

using testing_support::TempDir;

namespace {

const std::string TestKeyPath = "Software\\QuillboxTest";

std::string systemProgram(const char* name)
{
    char directory[MAX_PATH] = {};
    GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

enum class LinkKind { None, Native, WineUnix };

/// A junction: the directory link that any user may make on Windows.
bool makeJunction(const std::string& link, const std::string& target)
{
    if (!CreateDirectoryA(link.c_str(), nullptr))
        return false;
    HANDLE handle = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (handle != INVALID_HANDLE_VALUE) {
        std::wstring substitute = L"\\??\\" + platform::widen(target);
        std::wstring print = platform::widen(target);
        // Mount-point reparse data: tag, data length, reserved, four offsets and lengths, two names.
        WORD namesBytes = static_cast<WORD>((substitute.size() + 1 + print.size() + 1) * 2);
        std::vector<WORD> data(4 + 4 + namesBytes / 2);
        *reinterpret_cast<DWORD*>(data.data()) = IO_REPARSE_TAG_MOUNT_POINT;
        data[2] = static_cast<WORD>(8 + namesBytes);
        data[4] = 0;
        data[5] = static_cast<WORD>(substitute.size() * 2);
        data[6] = static_cast<WORD>((substitute.size() + 1) * 2);
        data[7] = static_cast<WORD>(print.size() * 2);
        auto* names = reinterpret_cast<wchar_t*>(data.data() + 8);
        std::copy(substitute.begin(), substitute.end(), names);
        std::copy(print.begin(), print.end(), names + substitute.size() + 1);
        DWORD returned = 0;
        made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, data.data(), 8 + data[2], nullptr, 0, &returned,
                               nullptr);
        CloseHandle(handle);
    }
    if (!made)
        RemoveDirectoryA(link.c_str());
    return made;
}

/// Runs a Unix program under Wine with the Unix forms of Windows paths; false elsewhere.
bool runWineUnix(const char* program, const char* option, const std::vector<std::string>& windowsPaths)
{
    using UnixSpawnvp = NTSTATUS(CDECL*)(char* const argv[], int wait);
    using UnixFileName = char*(CDECL*)(const WCHAR* dosName);
    auto spawnvp = reinterpret_cast<UnixSpawnvp>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    auto unixName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (spawnvp == nullptr || unixName == nullptr)
        return false;
    std::vector<std::string> args = {program, option};
    for (const std::string& path : windowsPaths) {
        char* unixPath = unixName(platform::widen(path).c_str());
        if (unixPath == nullptr)
            return false;
        args.push_back(unixPath);
        HeapFree(GetProcessHeap(), 0, unixPath);
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return spawnvp(argv.data(), 1) == 0;
}

/// Makes link a link to target (a directory or a file) in the way this system allows.
LinkKind makeLink(const std::string& link, const std::string& target, bool directory)
{
    if (directory && makeJunction(link, target))
        return LinkKind::Native;
    DWORD unprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE, newer than our headers
    if (!directory && CreateSymbolicLinkA(link.c_str(), target.c_str(), unprivileged) &&
        GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES)
        return LinkKind::Native;
    return runWineUnix("/bin/ln", "-s", {target, link}) ? LinkKind::WineUnix : LinkKind::None;
}

} // namespace

TEST(Win32Files, LinksAreReportedAndRemovedWithoutTouchingTheirTargets)
{
    TempDir dir;
    dir.write("full\\keep.txt", "keep");
    dir.write("file.txt", "file");
    ASSERT_TRUE(platform::makeDir(dir.str() + "\\empty"));
    struct Case {
        std::string link, target;
        bool directory;
    };
    const std::vector<Case> cases = {
        {"tofull", "full", true},
        {"toempty", "empty", true}, // a removal that followed the link would take this one away
        {"tofile.txt", "file.txt", false},
    };
    for (const Case& test : cases) {
        std::string link = dir.str() + "\\" + test.link;
        std::string target = dir.str() + "\\" + test.target;
        LinkKind kind = makeLink(link, target, test.directory);
        if (kind == LinkKind::None) {
            // A junction can always be made; a file link needs a privilege the user may lack.
            EXPECT_FALSE(test.directory) << "no junction could be made";
            continue;
        }
        if (kind == LinkKind::WineUnix && !test.directory) {
            // Wine shows a Unix link to a file as the file and deletes through it: nothing to prove.
            runWineUnix("/bin/rm", "-f", {link});
            continue;
        }
        platform::FileStatus status;
        ASSERT_TRUE(platform::stat(link, status)) << test.link;
        EXPECT_TRUE(status.isLink) << test.link;
        EXPECT_EQ(status.isDirectory, test.directory) << test.link;

        platform::DirEnum walk;
        platform::DirEntry entry;
        bool listed = false;
        for (bool more = walk.first(dir.str() + "\\*.*", entry); more; more = walk.next(entry))
            if (entry.name == test.link)
                listed = entry.isLink && entry.isDirectory == test.directory;
        walk.close();
        EXPECT_TRUE(listed) << test.link;

        bool removed = test.directory ? platform::removeDir(link) : platform::removeFile(link);
        if (kind == LinkKind::WineUnix && test.directory) {
            // Wine would take the target instead of the link: the removal is refused there.
            EXPECT_FALSE(removed) << test.link;
            runWineUnix("/bin/rm", "-f", {link});
        } else {
            EXPECT_TRUE(removed) << test.link;
            EXPECT_FALSE(platform::access(link)) << test.link;
        }
        EXPECT_TRUE(platform::access(target)) << test.link;
    }
    EXPECT_EQ(testing_support::readFile(dir.path() / "full" / "keep.txt"), "keep");
    EXPECT_EQ(testing_support::readFile(dir.path() / "file.txt"), "file");
}

TEST(Win32Process, SpawnPassesExitCodesAndTheEnvironment)
{
    ASSERT_TRUE(platform::putEnv("QBX_BACKEND_CHILD=42"));
    std::string value;
    EXPECT_TRUE(platform::getEnv("qbx_backend_child", value));
    EXPECT_EQ(value, "42");
    for (const char* code : {"0", "255", "-1", "%QBX_BACKEND_CHILD%"}) {
        int errorNumber = 99;
        EXPECT_EQ(platform::spawnWait(systemProgram("cmd.exe"), {"cmd", "/c", "exit", code}, errorNumber),
                  code[0] == '%' ? 42 : std::stoi(code));
        EXPECT_EQ(errorNumber, 0) << code;
    }
    ASSERT_TRUE(platform::putEnv("QBX_BACKEND_CHILD="));
    EXPECT_FALSE(platform::getEnv("QBX_BACKEND_CHILD", value));
    // A child that ends with -1 has still been started and waited for.
    std::string errorText;
    int exitCode = 0;
    EXPECT_TRUE(ExecCommand().spawnAndWait(systemProgram("cmd.exe"), {"cmd", "/c", "exit", "-1"}, errorText, exitCode));

    TempDir dir;
    int errorNumber = 0;
    std::string missing = dir.str() + "\\missing.exe";
    EXPECT_EQ(platform::spawnWait(missing, {missing}, errorNumber), -1);
    EXPECT_EQ(errorNumber, platform::SpawnNoEntry);
    EXPECT_FALSE(platform::spawnNoWait(missing, {"missing"}));
}

class Win32Registry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath.c_str()); }
};

TEST_F(Win32Registry, RoundTripEnumerationAndLimits)
{
    using platform::RegAccess;
    const auto root = platform::RegRoot::CurrentUser;
    const std::string deep = TestKeyPath + "\\1.8\\deep";
    platform::RegKey key;
    EXPECT_FALSE(platform::regOpenKey(root, TestKeyPath, RegAccess::Read, key));
    ASSERT_TRUE(platform::regCreateKey(root, deep, key));
    EXPECT_TRUE(platform::regSetString(key, "JavaHome", "C:\\Program Files\\Java\\jre8"));
    EXPECT_TRUE(platform::regSetString(key, "Long", std::string(6000, 'x')));
    platform::regCloseKey(key);
    EXPECT_FALSE(key.open);
    ASSERT_TRUE(platform::regCreateKey(root, TestKeyPath + "\\1.6", key));
    DWORD number = 5;
    RegSetValueExA(static_cast<HKEY>(key.native), "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number),
                   sizeof number);
    platform::regCloseKey(key);
    ASSERT_TRUE(platform::regOpenKey(root, deep, RegAccess::Write, key));
    EXPECT_TRUE(platform::regSetString(key, "", "default value"));
    platform::regCloseKey(key);

    const struct { std::string path, name; unsigned limit; const char* value; } cases[] = {
        {deep, "javahome", 5001, "C:\\Program Files\\Java\\jre8"}, {deep, "JavaHome", 8, "C:\\Prog"},
        {deep, "", 5001, "default value"}, {deep, "Missing", 5001, nullptr},
        {TestKeyPath + "\\1.6", "Number", 5001, nullptr}, // not text
    };
    std::string value;
    for (const auto& c : cases) {
        ASSERT_TRUE(platform::regOpenKey(root, c.path, RegAccess::QueryValue, key));
        EXPECT_EQ(platform::regQueryString(key, c.name, value, c.limit), c.value != nullptr) << c.name;
        if (c.value != nullptr) {
            EXPECT_EQ(value, c.value);
        }
        platform::regCloseKey(key);
    }
    ASSERT_TRUE(platform::regOpenKey(root, deep, RegAccess::QueryValue, key));
    EXPECT_TRUE(platform::regQueryString(key, "Long", value));
    EXPECT_EQ(value, std::string(5000, 'x'));
    platform::regCloseKey(key);

    ASSERT_TRUE(platform::regOpenKey(root, TestKeyPath, RegAccess::Read, key));
    std::vector<std::string> names;
    for (unsigned index = 0; platform::regEnumSubkey(key, index, value); ++index)
        names.push_back(value);
    platform::regCloseKey(key);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1.6", "1.8"}));
}

class Win32Ui : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        hInst = GetModuleHandleA(nullptr);
        WNDCLASSA existing;
        if (!GetClassInfoA(hInst, "GenericWClass", &existing)) {
            ASSERT_TRUE(platform::registerHostClass());
        }
    }
    void SetUp() override
    {
        host = platform::createHostWindow();
        ASSERT_NE(host, nullptr);
        dialog = platform::createStatusDialog(host);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(static_cast<HWND>(dialog)))
            DestroyWindow(static_cast<HWND>(dialog));
        DestroyWindow(static_cast<HWND>(host));
        // Destroying the host posts a quit message: leave none behind for the next test.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    /// Handles queued messages until the loop ends or a few seconds passed; true when it ended.
    static bool pumpUntilQuit(platform::WindowHandle wake)
    {
        platform::startTimer(wake, 1, 20);
        for (int handled = 0; handled < 50; ++handled)
            if (!platform::pumpMessage())
                return true;
        platform::killTimer(wake, 1);
        return false;
    }
    platform::WindowHandle host = nullptr;
    platform::WindowHandle dialog = nullptr;
};

TEST_F(Win32Ui, StatusTextKeepsLettersOutsideTheAnsiCodePage)
{
    const std::vector<std::string> texts = {
        "Prosz\xC4\x99 czeka\xC4\x87, \xC5\x82\x61" "duj\xC4\x99", // Polish
        "\xE3\x81\x8A\xE5\xBE\x85\xE3\x81\xA1\xE3\x81\x8F\xE3\x81\xA0\xE3\x81\x95\xE3\x81\x84", // Japanese
    };
    for (const std::string& text : texts) {
        platform::setItemText(dialog, platform::StatusTextId, text);
        wchar_t shown[256] = {};
        GetDlgItemTextW(static_cast<HWND>(dialog), platform::StatusTextId, shown, 256);
        EXPECT_EQ(std::wstring(shown), platform::widen(text)) << text;
    }
}

TEST_F(Win32Ui, DialogIsPublishedAndCancelEndsTheMessageLoop)
{
    EXPECT_EQ(platform::hDlgMain.load(), dialog);
    EXPECT_NE(platform::dialogItem(dialog, platform::StatusTextId), nullptr);
    SendMessageA(static_cast<HWND>(dialog), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(static_cast<HWND>(dialog)));
    EXPECT_EQ(platform::hDlgMain.load(), nullptr);
    EXPECT_TRUE(IsWindow(static_cast<HWND>(host)));
    EXPECT_TRUE(pumpUntilQuit(host));
}

TEST_F(Win32Ui, CloseOrTheOwnersEndOnlyDestroyTheDialog)
{
    SendMessageA(static_cast<HWND>(dialog), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(static_cast<HWND>(dialog)));
    EXPECT_EQ(platform::hDlgMain.load(), nullptr);
    EXPECT_FALSE(pumpUntilQuit(host)); // timer messages only, no quit

    dialog = platform::createStatusDialog(host);
    DestroyWindow(static_cast<HWND>(host));
    EXPECT_FALSE(IsWindow(static_cast<HWND>(dialog)));
    EXPECT_EQ(platform::hDlgMain.load(), nullptr);
}

namespace {

// The delete guard sees through the spellings that only Windows has: a junction on the way and
// a short name. Only the guard is asked; nothing is deleted.
TEST(Win32SafeDelete, JunctionsAndShortNamesAreSeenThrough)
{
    TempDir dir;
    dir.write("tree\\Protected Work\\keep.txt", "keep");
    std::string work = dir.str() + "\\tree\\Protected Work";
    std::vector<std::string> kept{work};
    std::string resolved;
    char shortName[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(work.c_str(), shortName, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        EXPECT_FALSE(isSafeToDeleteTree(shortName, kept, resolved)) << shortName;
    }
    // A junction beside the tree, not inside it, so that no walk of the test's tree loops.
    std::string junction = dir.str() + "\\j";
    LinkKind kind = makeLink(junction, dir.str() + "\\tree", true);
    ASSERT_NE(kind, LinkKind::None);
    EXPECT_FALSE(isSafeToDeleteTree(junction + "\\Protected Work", kept, resolved));
    EXPECT_FALSE(isSafeToDeleteTree(junction, kept, resolved));
    // Wine removes the target of a Unix link, so that link goes from the Unix side.
    if (kind == LinkKind::WineUnix)
        runWineUnix("/bin/rm", "-f", {junction});
    else
        platform::removeDir(junction);
}

} // namespace
