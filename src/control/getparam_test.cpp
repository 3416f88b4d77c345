#include "control/getparam.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "testing/childprogram.h"
#include "testing/tempdir.h"

using testing_support::readFile;
using testing_support::TempDir;

namespace {

// How the run was traced: not at all, by the launcher itself, or because the user created the log.
enum class Tracing { Off, ByLauncher, ByUser };

void setTracing(const TempDir& dir, Tracing tracing)
{
    if (tracing != Tracing::Off)
        dir.write("jinstall.log", "");
    if (tracing == Tracing::ByLauncher)
        dir.write("jinstall.sem", "");
}

ControlValues readControl(const TempDir& dir, const std::string& content, Tracing tracing = Tracing::Off)
{
    setTracing(dir, tracing);
    dir.write("qbx.control", content);
    ControlValues values;
    GetParameters reader;
    EXPECT_TRUE(reader.getParameters(values));
    return values;
}

/// true when a line of the file ends with the text.
bool traced(const std::filesystem::path& file, const std::string& ending)
{
    std::string log = readFile(file);
    return log.find(ending + "\n") != std::string::npos || log.find(ending + "\r\n") != std::string::npos;
}

} // namespace

// The reader takes the first key that begins a line: no key may begin with another's name.
TEST(ControlKeys, NoKeyBeginsWithAnother)
{
    std::vector<std::string> names{"configureWinRegistry"};
    for (const ControlKey& key : controlKeys())
        names.push_back(key.name);
    for (const std::string& key : names) {
        EXPECT_TRUE(isControlKey(key)) << key;
        for (const std::string& other : names)
            EXPECT_TRUE(key == other || other.compare(0, key.size(), key) != 0) << other << " begins with " << key;
    }
}

TEST(GetParameters, ValuesDefaultsAndLineSyntax)
{
    const struct {
        std::string content;
        std::string ControlValues::*field;
        std::string expected;
        Tracing tracing = Tracing::Off;
        std::string trace = ""; // a line of the trace ends with it
    } cases[] = {
        {"", &ControlValues::loaderClasspath, ".;install.jar"},
        // The other versions follow the required one.
        {"", &ControlValues::jvmRequiredVersion, "1.4"},
        {"jvmVersion=1.6\n", &ControlValues::jvmRequiredVersion, "1.6", Tracing::ByLauncher,
         " Valid version of jrew.exe: 1.6"},
        {"jvmRequiredVersion=1.5\njvmVersion=1.6\n", &ControlValues::jvmVersion, "1.6", Tracing::ByLauncher,
         " Valid version of jrew.exe: 1.5"},
        {"jvmMinVersion=1.3\njvmMaxVersion=1.5\n", &ControlValues::jvmRequiredVersion, "", Tracing::ByLauncher,
         " Valid versions of jrew.exe: 1.3 through 1.5"},
        // The Java command's default depends on who traces; only the first ".exe" counts.
        {"", &ControlValues::jvmCommandName, "jrew.exe", Tracing::ByLauncher},
        {"", &ControlValues::jvmCommandName, "jre.exe", Tracing::ByUser},
        {"jvmCommandName=java.cmd\n", &ControlValues::jvmCommandName, "java.exe", Tracing::ByUser},
        {"jvmCommandName=jre.exe\n", &ControlValues::jvmCommandName, "jrew.exe"},
        {"jvmCommandName=a.exe.exe\n", &ControlValues::jvmCommandName, "a.exe"},
        // Line syntax.
        {"jvmVersion = 1.4\n", &ControlValues::jvmVersion, "= 1.4"},
        {"jvmName JDK\n", &ControlValues::jvmName, "JDK"},
        {"# jvmName=JDK\n jvmName=JDK\nJVMNAME=JDK\n\n", &ControlValues::jvmName, "JRE"},
        {"sha256JvmSelfExtractor=AB cd\nsha256JvmInstallerBinary=ef\n", &ControlValues::sha256JvmSelfExtractor, "AB cd"},
        // Carriage-return-only line ends make one single line.
        {"jvmName=JDK\rjvmVersion=1.6\r", &ControlValues::jvmName, "JDKjvmVersion=1.6"},
        {std::string("jvmName=JD\0K\n\0\0jvmVersion=1.6\n", 30), &ControlValues::jvmName, "JD"},
        // The switches lose the escapes of characters that names cannot hold.
        {R"(jvmExtraParameters=-Dx=C\:\\tmp)", &ControlValues::jvmExtraParameters, R"(-Dx=C:\tmp)"},
        {R"(jvmExtraParameters=-Dp=\\\"a\\\")", &ControlValues::jvmExtraParameters, R"(-Dp="a")"},
        {R"(predefinedJvmInstallDir=[$AppDir]/jre)", &ControlValues::predefinedJvmInstallDir, R"([$AppDir]\jre)"},
        {R"(predefinedJvmInstallDir=\\\\srv\\share/jre)", &ControlValues::predefinedJvmInstallDir, R"(\\srv\share\jre)"},
        // Lines are read in pieces of 998 characters: a second piece that begins with a key counts.
        {std::string(998, 'x') + "jvmName=JDK\n", &ControlValues::jvmName, "JDK"},
        {std::string(997, 'x') + "jvmName=JDK\n", &ControlValues::jvmName, "JRE"},
        {"jvmName=" + std::string(990, 'n') + "\njvmVersion=1.6\n", &ControlValues::jvmVersion, "1.6"},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        EXPECT_EQ(readControl(dir, c.content, c.tracing).*c.field, c.expected) << c.content.substr(0, 40);
        EXPECT_TRUE(c.trace.empty() || traced(dir.path() / "jinstall.log", c.trace)) << c.content;
    }
}

// A value longer than its field is cut (traced); a line's rest beyond its first piece is lost first.
TEST(GetParameters, LongValuesAreCut)
{
    TempDir dir(true);
    ControlValues values = readControl(dir, "jvmName=" + std::string(300, 'n') + "\njvmClasspathSwitch=" +
                                                std::string(1200, 'c') + "\n", Tracing::ByLauncher);
    EXPECT_EQ(values.jvmName, std::string(200, 'n'));
    EXPECT_EQ(values.jvmClasspathSwitch, std::string(998 - 19, 'c'));
    EXPECT_TRUE(traced(dir.path() / "jinstall.log", " jvmName value cut to: 200"));
}

TEST(GetParameters, LineEndingsAreRewritten)
{
    const std::string nl = platform::TextNewline;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a=1\r\nb=2\r\n", "a=1" + nl + "b=2" + nl},
        {"a=1\rb=2\r", "a=1b=2"},
        {"\xEF\xBB\xBF" "a=1\r\n", "a=1" + nl},                                   // UTF-8 byte-order mark
        {std::string("\xFF\xFE" "a\0=\0" "1\0\r\0\n\0b\0", 14), "a=1" + nl + "b"}, // UTF-16
    };
    for (const auto& [written, expected] : cases) {
        TempDir dir(true);
        dir.write("qbx.control", written);
        EXPECT_TRUE(GetParameters().convertLineEndings("qbx.control"));
        EXPECT_EQ(readFile(dir.path() / "qbx.control"), expected);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbx.control"));
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbx.control.old"));
    }
}

TEST(GetParameters, FailedConversionKeepsTheControlFile)
{
    if (testing_support::messageBoxesWait())
        GTEST_SKIP() << "error boxes wait for a user here";
    // The copy cannot be made (a directory of its name) or not written whole (a link to a full device).
    for (bool full : {false, true}) {
        if (full && !std::filesystem::exists("/dev/full"))
            continue;
        TempDir dir(true);
        dir.write("qbx.control", "jvmName=JDK\r\n");
        if (full)
            std::filesystem::create_symlink("/dev/full", dir.path() / "__qbx.control");
        else
            std::filesystem::create_directory(dir.path() / "__qbx.control");
        ControlValues values;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(GetParameters().getParameters(values));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to convert line endings"), std::string::npos);
        EXPECT_EQ(readFile(dir.path() / "qbx.control"), "jvmName=JDK\r\n");
        EXPECT_TRUE(traced(dir.path() / "errors.log", " Unable to convert line endings for qbx.control"));
        EXPECT_EQ(std::filesystem::is_symlink(dir.path() / "__qbx.control"), false);
    }
}

TEST(GetParameters, OriginalStaysWhenTheCopyCannotTakeItsPlace)
{
    TempDir dir(true);
    dir.write("qbx.control", "jvmName=JDK\r\n");
    dir.write("__qbx.control.old/busy", ""); // the original cannot be moved aside
    ControlValues values;
    EXPECT_TRUE(GetParameters().getParameters(values));
    EXPECT_EQ(values.jvmName.substr(0, 3), "JDK");
    EXPECT_EQ(readFile(dir.path() / "qbx.control"), "jvmName=JDK\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbx.control"));
}

