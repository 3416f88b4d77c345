#include "control/getparam.h"

#include <gtest/gtest.h>

#include <random>
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

bool logHasLineEnding(const std::string& log, const std::string& ending)
{
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find('\n', start);
        std::string line = log.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= ending.size() && line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

void expectWithinLimits(const ControlValues& values)
{
    for (const auto& key : controlKeys())
        EXPECT_LT((values.*key.field).size(), key.size) << key.name;
}

} // namespace

TEST(GetParameters, EmptyFileGivesTheDefaults)
{
    TempDir dir(true);
    ControlValues values = readControl(dir, "");
    EXPECT_EQ(values.loaderClasspath, ".;install.jar");
    EXPECT_EQ(values.jvmRequiredVersion, "1.4");
    EXPECT_EQ(values.jvmVersion, "1.4");
    EXPECT_EQ(values.jvmName, "JRE");
    EXPECT_EQ(values.jvmCommandName, "jrew.exe");
    EXPECT_EQ(values.controlFilename, "qbx.control");
    EXPECT_EQ(values.jvmMinVersion, "");
    EXPECT_EQ(values.searchForJvm, "");
}

TEST(GetParameters, EveryKeyFillsItsOwnValue)
{
    // Independent of the reader's table: key names and the members they must fill.
    struct Case {
        const char* key;
        std::string ControlValues::*field;
    };
    const std::vector<Case> cases = {
        {"jvmRequiredVersion", &ControlValues::jvmRequiredVersion},
        {"jvmMinVersion", &ControlValues::jvmMinVersion},
        {"jvmMaxVersion", &ControlValues::jvmMaxVersion},
        {"jvmVersion", &ControlValues::jvmVersion},
        {"jvmName", &ControlValues::jvmName},
        {"jvmClasspathSwitch", &ControlValues::jvmClasspathSwitch},
        {"loaderJavaCommand", &ControlValues::loaderJavaCommand},
        {"loaderClasspath", &ControlValues::loaderClasspath},
        {"jvmInstallerType", &ControlValues::jvmInstallerType},
        {"jvmSelfExtractor", &ControlValues::jvmSelfExtractor},
        {"jvmInstallerBinary", &ControlValues::jvmInstallerBinary},
        {"jvmInstallerCommand", &ControlValues::jvmInstallerCommand},
        {"jvmHomeDir", &ControlValues::jvmHomeDir},
        {"systemSecurityPolicyFilename", &ControlValues::systemSecurityPolicyFilename},
        {"userSecurityPolicyFilename", &ControlValues::userSecurityPolicyFilename},
        {"keystoreFilename", &ControlValues::keystoreFilename},
        {"appletUrl", &ControlValues::appletUrl},
        {"searchForJvm", &ControlValues::searchForJvm},
        {"extendedJvmSearch", &ControlValues::extendedJvmSearch},
        {"jvmExtraParameters", &ControlValues::jvmExtraParameters},
        {"predefinedJvmInstallDir", &ControlValues::predefinedJvmInstallDir},
    };
    std::string content;
    for (std::size_t i = 0; i < cases.size(); ++i)
        content += std::string(cases[i].key) + "=value" + std::to_string(i) + " x\n";
    content += "jvmCommandName=tool.com\n";

    TempDir dir(true);
    ControlValues values = readControl(dir, content);
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(values.*cases[i].field, "value" + std::to_string(i) + " x") << cases[i].key;
    EXPECT_EQ(values.jvmCommandName, "tool.com");
    EXPECT_EQ(controlKeys().size(), cases.size() + 1);
}

TEST(GetParameters, RangeWithoutRequiredVersionIsTraced)
{
    TempDir dir(true);
    ControlValues values = readControl(dir, "jvmMinVersion=1.3\njvmMaxVersion=1.5\n", Tracing::ByLauncher);
    EXPECT_EQ(values.jvmRequiredVersion, "");
    EXPECT_EQ(values.jvmVersion, "");
    EXPECT_EQ(values.jvmMinVersion, "1.3");
    EXPECT_EQ(values.jvmMaxVersion, "1.5");
    std::string trace = readFile(dir.path() / "jinstall.log");
    EXPECT_TRUE(logHasLineEnding(trace, " Valid versions of jrew.exe: 1.3 through 1.5")) << trace;
    EXPECT_TRUE(logHasLineEnding(trace, " jvmMinVersion 1.3")) << trace;
}

TEST(GetParameters, RequiredVersionIsTracedAndDefaultsFollowIt)
{
    struct Case {
        std::string content;
        std::string required, version, trace;
    };
    const std::vector<Case> cases = {
        {"jvmVersion=1.6\n", "1.6", "1.6", " Valid version of jrew.exe: 1.6"},
        {"jvmRequiredVersion=1.5\njvmVersion=1.6\n", "1.5", "1.6", " Valid version of jrew.exe: 1.5"},
        {"jvmRequiredVersion=1.5\n", "1.5", "1.5", " Valid version of jrew.exe: 1.5"},
        {"jvmMinVersion=1.3\njvmVersion=1.6\n", "", "1.6", " Valid versions of jrew.exe: 1.3 through "},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        ControlValues values = readControl(dir, c.content, Tracing::ByLauncher);
        EXPECT_EQ(values.jvmRequiredVersion, c.required) << c.content;
        EXPECT_EQ(values.jvmVersion, c.version) << c.content;
        EXPECT_TRUE(logHasLineEnding(readFile(dir.path() / "jinstall.log"), c.trace)) << c.content;
    }
}

TEST(GetParameters, JavaCommandName)
{
    struct Case {
        std::string line; // empty: no jvmCommandName line
        Tracing tracing;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"", Tracing::Off, "jrew.exe"},
        {"", Tracing::ByLauncher, "jrew.exe"},
        {"", Tracing::ByUser, "jre.exe"},
        {"jvmCommandName=Java", Tracing::Off, "javaw.exe"},
        {"jvmCommandName=Java", Tracing::ByUser, "java.exe"},
        {"jvmCommandName=java.cmd", Tracing::Off, "javaw.exe"},
        {"jvmCommandName=java.cmd", Tracing::ByUser, "java.exe"},
        {"jvmCommandName=JAVA.EXE", Tracing::ByLauncher, "javaw.exe"},
        {"jvmCommandName=jre.exe", Tracing::Off, "jrew.exe"},
        {"jvmCommandName=jre.exe", Tracing::ByUser, "jre.exe"},
        {"jvmCommandName=setup.BAT", Tracing::Off, "setup.bat"},
        {"jvmCommandName=Tool.Com", Tracing::Off, "tool.com"},
        {"jvmCommandName=javaw.exe", Tracing::Off, "javaw.exe"},
        {"jvmCommandName=my.tool.sh", Tracing::Off, "my.exe"},
        // Only the first ".exe" counts, so a doubled extension is cut at the first dot.
        {"jvmCommandName=a.exe.exe", Tracing::Off, "a.exe"},
        {"jvmCommandName=jre.exe.exe", Tracing::Off, "jrew.exe"},
        {"jvmCommandName=exe", Tracing::Off, "exe.exe"},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        ControlValues values = readControl(dir, c.line + "\n", c.tracing);
        EXPECT_EQ(values.jvmCommandName, c.expected) << c.line << " tracing " << static_cast<int>(c.tracing);
    }
}

TEST(GetParameters, ExtraSwitchEscapes)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(-Dx=C\:\\tmp)", R"(-Dx=C:\tmp)"},
        {R"(a\\\b)", R"(a\b)"},
        {R"(-Dp=\"a b\")", R"(-Dp="a b")"},
        {R"(-Dp=\\\"a\\\")", R"(-Dp="a")"},
        {R"(x\\)", R"(x\)"},
        {R"(\|\<\>\?\*\/)", R"(|<>?*/)"},
        {R"(C:\jre\bin)", R"(C:\jre\bin)"},
        {R"(plain -Xmx64m)", R"(plain -Xmx64m)"},
    };
    for (const auto& [written, expected] : cases) {
        TempDir dir(true);
        EXPECT_EQ(readControl(dir, "jvmExtraParameters=" + written + "\n").jvmExtraParameters, expected) << written;
    }
}

TEST(GetParameters, EscapeRemovalIsTraced)
{
    TempDir dir(true);
    ControlValues values = readControl(dir, "jvmExtraParameters=C\\:\\\\t\n", Tracing::ByLauncher);
    EXPECT_EQ(values.jvmExtraParameters, "C:\\t");
    std::string trace = readFile(dir.path() / "jinstall.log");
    EXPECT_TRUE(logHasLineEnding(trace, " initial jvm switches for installer C\\:\\\\t")) << trace;
    EXPECT_TRUE(logHasLineEnding(trace, "   before extra back slash removed C\\:\\\\t")) << trace;
    EXPECT_TRUE(logHasLineEnding(trace, "   after extra back slash removed C\\:\\t")) << trace;
    EXPECT_TRUE(logHasLineEnding(trace, "   after extra back slash removed C:\\t")) << trace;
    EXPECT_TRUE(logHasLineEnding(trace, " final jvm switches for installer C:\\t")) << trace;
    EXPECT_TRUE(logHasLineEnding(trace, " jvmExtraParameters C:\\t")) << trace;
}

TEST(GetParameters, FileNameCharacters)
{
    const std::string forbidden = "\"*/:<>?\\|";
    for (int c = -128; c < 128; ++c) {
        bool expected = c == 0 || forbidden.find(static_cast<char>(c)) == std::string::npos;
        EXPECT_EQ(GetParameters::isfilenameChar(static_cast<char>(c)), expected) << c;
    }
}

TEST(GetParameters, PredefinedDirectoryIsNormalised)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"([$AppDir]/jre)", R"([$AppDir]\jre)"},
        {R"(C\:\\Program Files\\Java)", R"(C:\Program Files\Java)"},
        {R"(a\\\b)", R"(a\\b)"},
        {R"(\\\\server\\share/jre)", R"(\\server\share\jre)"},
        {R"(C:\jre\)", R"(C:\jre\)"},
        {R"(x\/y)", R"(x\\y)"},
        {"", ""},
    };
    for (const auto& [written, expected] : cases) {
        TempDir dir(true);
        EXPECT_EQ(readControl(dir, "predefinedJvmInstallDir=" + written + "\n").predefinedJvmInstallDir, expected)
            << written;
    }
}

TEST(GetParameters, LineSyntax)
{
    struct Case {
        std::string content;
        std::string ControlValues::*field;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"jvmVersion = 1.4\n", &ControlValues::jvmVersion, "= 1.4"},
        {"jvmName JDK\n", &ControlValues::jvmName, "JDK"},
        {"jvmName=JDK \n", &ControlValues::jvmName, "JDK "},
        {"jvmName=\"JDK\"\n", &ControlValues::jvmName, "\"JDK\""},
        {"jvmName=JDK\njvmName=Java Plug-in\n", &ControlValues::jvmName, "Java Plug-in"},
        {"jvmVersionX=1\n", &ControlValues::jvmVersion, "=1"},
        {"jvmMaxVersion\n", &ControlValues::jvmMaxVersion, ""},
        {"jvmMaxVersion", &ControlValues::jvmMaxVersion, ""},
        {"# jvmName=JDK\n jvmName=JDK\nJVMNAME=JDK\n\n", &ControlValues::jvmName, "JRE"},
        {"appletUrl=http://x/a?b=c\n", &ControlValues::appletUrl, "http://x/a?b=c"},
        {"jvmName=JDK", &ControlValues::jvmName, "JDK"},
        {"jvmName=JDK\r\nsearchForJvm=none\r\n", &ControlValues::jvmName, "JDK"},
        {"jvmName=JDK\r\nsearchForJvm=none\r\n", &ControlValues::searchForJvm, "none"},
        // Carriage-return-only line ends make one single line.
        {"jvmName=JDK\rjvmVersion=1.6\r", &ControlValues::jvmName, "JDKjvmVersion=1.6"},
        {"jvmName=JDK\rjvmVersion=1.6\r", &ControlValues::jvmVersion, "1.4"},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        EXPECT_EQ(readControl(dir, c.content).*c.field, c.expected) << c.content;
    }
}

TEST(GetParameters, LineEndingsAreRewritten)
{
    const std::string nl = platform::TextNewline;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a=1\r\nb=2\r\n", "a=1" + nl + "b=2" + nl},
        {"a=1\rb=2\r", "a=1b=2"},
        {"a=1\nb=2", "a=1" + nl + "b=2"},
        {"", ""},
        {"\xEF\xBB\xBF" "a=1\r\n", "a=1" + nl},                            // UTF-8 byte-order mark
        {std::string("\xFF\xFE" "a\0=\0" "1\0\r\0\n\0b\0", 14), "a=1" + nl + "b"}, // UTF-16
    };
    for (const auto& [written, expected] : cases) {
        TempDir dir(true);
        dir.write("qbx.control", written);
        GetParameters reader;
        EXPECT_TRUE(reader.convertLineEndings("qbx.control"));
        EXPECT_EQ(readFile(dir.path() / "qbx.control"), expected);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbx.control"));
    }
}

TEST(GetParameters, OverlongValuesAreCutToTheirField)
{
    TempDir dir(true);
    std::string content = "jvmName=" + std::string(300, 'n') + "\n" + "searchForJvm=" + std::string(150, 's') + "\n" +
                          "jvmClasspathSwitch=" + std::string(1200, 'c') + "\n" + "loaderClasspath=" +
                          std::string(990, 'l') + "\n";
    ControlValues values = readControl(dir, content, Tracing::ByLauncher);
    EXPECT_EQ(values.jvmName, std::string(200, 'n'));
    EXPECT_EQ(values.searchForJvm, std::string(99, 's'));
    // Lines are read in pieces of 998 characters, so this value loses its rest before any cut.
    EXPECT_EQ(values.jvmClasspathSwitch, std::string(998 - 19, 'c'));
    EXPECT_EQ(values.loaderClasspath, std::string(982, 'l'));
    std::string trace = readFile(dir.path() / "jinstall.log");
    EXPECT_TRUE(logHasLineEnding(trace, " jvmName value cut to: 200")) << trace.substr(0, 2000);
    EXPECT_TRUE(logHasLineEnding(trace, " searchForJvm value cut to: 99"));
    expectWithinLimits(values);
}

TEST(GetParameters, OverlongLinesAreReadInPieces)
{
    struct Case {
        std::string content;
        std::string ControlValues::*field;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // The second piece of the line begins with a key and counts.
        {std::string(998, 'x') + "jvmName=JDK\n", &ControlValues::jvmName, "JDK"},
        // Here the key straddles the cut and is lost.
        {std::string(997, 'x') + "jvmName=JDK\n", &ControlValues::jvmName, "JRE"},
        {"jvmMinVersion=" + std::string(984, '1') + "jvmMaxVersion=2\n", &ControlValues::jvmMaxVersion, "2"},
        {"jvmMinVersion=" + std::string(984, '1') + "jvmMaxVersion=2\n", &ControlValues::jvmMinVersion,
         std::string(200, '1')},
        // A line of exactly 998 characters leaves its line feed as an empty line.
        {"jvmName=" + std::string(990, 'n') + "\njvmVersion=1.6\n", &ControlValues::jvmVersion, "1.6"},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        EXPECT_EQ(readControl(dir, c.content).*c.field, c.expected) << c.content.substr(0, 40);
    }
}

TEST(GetParameters, BinaryContentIsReadByTheSameRules)
{
    TempDir dir(true);
    ControlValues values =
        readControl(dir, std::string("jvmName=JD\0K\njvmVersion=1.6\n\0\0jvmMinVersion=1\n", 43));
    EXPECT_EQ(values.jvmName, "JD");
    EXPECT_EQ(values.jvmVersion, "1.6");
    EXPECT_EQ(values.jvmMinVersion, "");

    // Without 0x1A: in text mode on Windows that byte ends the file.
    std::mt19937 random(42);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        char c = static_cast<char>(random() % 7 == 0 ? '\n' : random() % 256);
        garbage += c == '\x1a' ? ' ' : c;
    }
    garbage += "jvmName=JDK\n";
    values = readControl(dir, garbage);
    EXPECT_EQ(values.jvmName, "JDK");
    expectWithinLimits(values);

    // One line of 10 MB.
    values = readControl(dir, "jvmVersion=" + std::string(10 * 1024 * 1024, '7') + "\njvmName=X\n");
    EXPECT_EQ(values.jvmVersion, std::string(200, '7'));
    EXPECT_EQ(values.jvmName, "X");
    expectWithinLimits(values);
}

TEST(GetParameters, ValuesAreEmptiedBeforeReading)
{
    TempDir dir(true);
    ControlValues values;
    values.appletUrl = "stale";
    values.jvmName = "stale";
    dir.write("qbx.control", "jvmHomeDir=jre\n");
    GetParameters reader;
    ASSERT_TRUE(reader.getParameters(values));
    EXPECT_EQ(values.appletUrl, "");
    EXPECT_EQ(values.jvmName, "JRE");
    EXPECT_EQ(values.jvmHomeDir, "jre");
}

TEST(GetParameters, FailedConversionKeepsTheControlFile)
{
    // A copy that cannot be written completely (here: the copy is a link to a full device).
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    TempDir dir(true);
    dir.write("qbx.control", "jvmName=JDK\r\n");
    std::filesystem::create_symlink("/dev/full", dir.path() / "__qbx.control");
    ControlValues values;
    GetParameters reader;
    EXPECT_FALSE(reader.getParameters(values));
    EXPECT_EQ(readFile(dir.path() / "qbx.control"), "jvmName=JDK\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.path() / "__qbx.control"));
    EXPECT_TRUE(logHasLineEnding(readFile(dir.path() / "errors.log"),
                                 " Unable to convert line endings for qbx.control"));
}

TEST(GetParameters, OriginalStaysWhenTheCopyCannotTakeItsPlace)
{
    TempDir dir(true);
    dir.write("qbx.control", "jvmName=JDK\r\n");
    dir.write("__qbx.control.old/busy", ""); // the original cannot be moved aside
    ControlValues values;
    GetParameters reader;
    EXPECT_TRUE(reader.getParameters(values));
    EXPECT_EQ(values.jvmName.substr(0, 3), "JDK");
    EXPECT_EQ(readFile(dir.path() / "qbx.control"), "jvmName=JDK\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "__qbx.control"));
}

TEST(GetParameters, MistypedKeysAreTracedWithTheNearestKey)
{
    TempDir dir(true);
    ControlValues values = readControl(dir,
                                       "jvmMinVerison=11\nloaderJavaComand=Main\n# a=comment\n\n"
                                       "configureWinRegistry=no\nfree text\n",
                                       Tracing::ByUser);
    std::string trace = readFile(dir.path() / "jinstall.log");
    EXPECT_NE(trace.find("jvmMinVerison (nearest known key: jvmMinVersion)"), std::string::npos) << trace;
    EXPECT_NE(trace.find("loaderJavaComand (nearest known key: loaderJavaCommand)"), std::string::npos);
    EXPECT_EQ(trace.find("unknown key in qbx.control a"), std::string::npos);
    EXPECT_EQ(trace.find("configureWinRegistry (nearest"), std::string::npos);
    EXPECT_EQ(trace.find("free text"), std::string::npos);
}

TEST(GetParameters, UnreadableFilesAreReported)
{
    // The error boxes of the reader appear in every run; where a box waits for a user,
    // the end-to-end runs cover them.
    if (testing_support::messageBoxesWait())
        GTEST_SKIP() << "error boxes wait for a user here";
    {
        TempDir dir(true);
        ControlValues values;
        GetParameters reader;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(reader.getParameters(values));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to open qbx.control"), std::string::npos);
        EXPECT_TRUE(logHasLineEnding(readFile(dir.path() / "errors.log"), " Unable to open qbx.control"));
    }
    {
        TempDir dir(true);
        dir.write("qbx.control", "jvmName=JDK\n");
        std::filesystem::create_directory(dir.path() / "__qbx.control");
        ControlValues values;
        GetParameters reader;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(reader.getParameters(values));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to convert line endings for qbx.control"),
                  std::string::npos);
        EXPECT_TRUE(logHasLineEnding(readFile(dir.path() / "errors.log"),
                                     " Unable to convert line endings for qbx.control"));
        EXPECT_EQ(readFile(dir.path() / "qbx.control"), "jvmName=JDK\n");
    }
    {
        TempDir dir(true);
        setTracing(dir, Tracing::ByUser);
        ControlValues values;
        values.controlFilename = "missing.control";
        GetParameters reader;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(reader.parseParameters(values));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to open control file"), std::string::npos);
        EXPECT_TRUE(logHasLineEnding(readFile(dir.path() / "errors.log"), " Unable to open file missing.control"));
        EXPECT_TRUE(logHasLineEnding(readFile(dir.path() / "jinstall.log"), " Unable to open file missing.control"));
    }
}
