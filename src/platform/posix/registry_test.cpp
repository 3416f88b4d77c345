#include "platform/registry.h"

#include <gtest/gtest.h>

#include "platform/posix/registryfile.h"
#include "testing/machinekeys.h"
#include "testing/tempdir.h"

namespace {

using platform::RegAccess;
using platform::RegKey;
using platform::RegRoot;
using testing_support::TempDir;

TEST(RegistryFileFormat, MalformedTextsNameTheLineVariantsPass)
{
    const struct {
        const char* text;
        unsigned line; // 0: accepted
    } cases[] = {
        {"REGEDIT5", 1}, // the last line needs no line end
        {"\nREGEDIT4\n\n\"a\"=\"b\"\n", 4},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", 2},
        {"REGEDIT4\n[HKEY_USERS\\A]\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A\\]\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"bad \\n escape\"\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\" trailing", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123456789\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:1,zz\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\n\"a\"=hex:01,\\\n", 4},
        {"", 0},
        {"\xEF\xBB\xBFREGEDIT4\n", 0},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE]\n\"a\" = \"b\"\n", 0},
        {"REGEDIT4\n[hkey_current_user\\A]]\n\"x\"=hex(2):41,00\n\"y\"=hex:\n", 0},
    };
    for (const auto& c : cases) {
        platform::regfile::Document document;
        platform::regfile::ParseError error;
        EXPECT_EQ(platform::regfile::parse(c.text, document, error), c.line == 0) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
    }
}

// The test's own registry file goes bad: a key opened before cannot write through it either.
TEST(Registry, MalformedFileFailsLoudlyAndIsNeverReset)
{
    TempDir dir;
    testing_support::MachineKeys keys{dir};
    const std::string file = (dir.path() / "registry.reg").string();
    RegKey opened;
    ASSERT_TRUE(platform::regCreateKey(RegRoot::CurrentUser, "K", opened));
    const std::string bad = "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"b\"\n\"broken\n";
    dir.write("registry.reg", bad);
    RegKey key;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(platform::regOpenKey(RegRoot::CurrentUser, "K", RegAccess::Read, key));
    EXPECT_FALSE(platform::regCreateKey(RegRoot::CurrentUser, "New", key));
    EXPECT_FALSE(platform::regSetString(opened, "a", "c"));
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(file), std::string::npos) << errors;
    EXPECT_NE(errors.find("line 5"), std::string::npos) << errors;
    EXPECT_EQ(testing_support::readFile(file), bad);
}

} // namespace
