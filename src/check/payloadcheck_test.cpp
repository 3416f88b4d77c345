#include "check/payloadcheck.h"

#include <gtest/gtest.h>

#include "testing/tempdir.h"

namespace {

using testing_support::TempDir;

constexpr const char* Digest = "2d711642b726b04401627ca9fbac32f5c8530fb1903cc4db02258717921a4881"; // of "x"

// A payload with every file the rows below may name; row files replace or remove them.
std::vector<std::string> checkPayload(const std::string& control, const std::string& file = "",
                                      const char* content = nullptr)
{
    TempDir payload;
    TempDir scratch(true);
    for (const char* name : {"install.jar", "TestJvm.class", "cleanup.exe", "jvm.exe", "vendor.exe", "java.policy"})
        payload.write(name, "x");
    payload.write("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n\nName: Wizard.class\n");
    payload.write("qbx.control", control);
    if (content != nullptr)
        payload.write(file, content);
    else if (!file.empty())
        std::filesystem::remove(payload.path() / file);
    Findings findings;
    EXPECT_TRUE(PayloadCheck(payload.str(), scratch.str()).run(findings));
    std::vector<std::string> lines;
    for (const Finding& finding : findings.all())
        lines.push_back(findingLine(finding));
    return lines;
}

const std::string Bundle = "jvmInstallerType=selfExtratorJvmInstaller\njvmSelfExtractor=jvm.exe\n";

struct Mistake {
    std::string control;
    std::string expected; // the beginning of the line that must be printed
    std::string file = ""; // a payload file removed, or written with content
    const char* content = nullptr;
};

TEST(PayloadCheck, EachMistakeHasItsFinding)
{
    const Mistake rows[] = {
        {"jvmMinVersoin=11\n", "error: jvmMinVersoin: line 1: unknown key, ignored (nearest known key: jvmMinVersion)"},
        {"jvmVersionMax=17\n", "error: jvmVersionMax: line 1: read as jvmVersion with the value \"ax=17\""},
        {"jvmVersion = 1.4\n", "error: jvmVersion: line 1: the blank after the key is taken for \"=\""},
        {"jvmMinVersion= 11\n", "warning: jvmMinVersion: line 1: the blanks around the value"},
        {" jvmMinVersion=11\n", "error: line 1: indented"},
        {"jvmMinVersion=11\njvmMinVersion=17\n", "warning: jvmMinVersion: given on lines 1, 2: only line 2 counts"},
        {"configureWinRegistry=no\nconfigureWinRegistry=true\n",
         "warning: configureWinRegistry: given on lines 1, 2: only line 1 counts"},
        {"configureWinRegistry=on\n", "warning: configureWinRegistry: line 1: \"on\" is read as false"},
        {"jvmName=" + std::string(250, 'J') + "\n", "warning: jvmName: line 1: the value of 250 characters is cut to 200"},
        {"jvmName=" + std::string(1000, 'J') + "\n", "error: line 1: longer than 998 characters"},
        {"\xFF\xFEj\0", "warning: qbx.control: UTF-16"},
        {"\xFE\xFFj\0", "error: qbx.control: UTF-16 big-endian"},
        {"jvmMinVersion=11\rloaderJavaCommand=Wizard\r", "error: qbx.control: a line ends with a carriage return"},
        {"jvmMinVersion=eleven\n", "error: jvmMinVersion: \"eleven\" is not a version"},
        {"jvmMinVersion=17\njvmMaxVersion=11\n", "error: jvmMinVersion: 17 is above jvmMaxVersion 11"},
        {"jvmRequiredVersion=1.8\njvmMinVersion=11\n", "error: jvmRequiredVersion: 1.8 lies outside"},
        {"jvmMaxVersion=11\n", "warning: jvmRequiredVersion: 1.4 (taken from jvmVersion or the default) is the only"},
        {"jvmMinVersion=11\njvmVersion=1.8\n" + Bundle, "error: jvmVersion: the JVM the payload provides, 1.8, does not"},
        {"jvmInstallerType=selfExtractorJvmInstaller\n", "error: jvmInstallerType: \"selfExtractorJvmInstaller\" selects "
                                                         "nothing: the launcher's value is spelled without the c"},
        {"jvmInstallerType=bundle\n", "error: jvmInstallerType: \"bundle\" selects nothing"},
        {Bundle, "error: jvm.exe: jvmSelfExtractor: missing from the payload", "jvm.exe"},
        {Bundle, "warning: sha256JvmSelfExtractor: not set: jvm.exe runs unchecked; pin it with the line "
                 "sha256JvmSelfExtractor=" + std::string(Digest)},
        {Bundle + "sha256JvmSelfExtractor=" + std::string(64, 'a') + "\n",
         "error: sha256JvmSelfExtractor: does not match jvm.exe"},
        {Bundle + "sha256JvmSelfExtractor=12ab\n", "error: sha256JvmSelfExtractor: not 64 hexadecimal digits"},
        {Bundle + "sha256JvmSelfExtractor=" + std::string(Digest) + "\n", "ok: jvm.exe: jvmSelfExtractor: present, pinned"},
        {"sha256JvmInstallerBinary=" + std::string(Digest) + "\n", "warning: sha256JvmInstallerBinary: set, but no"},
        {"jvmInstallerType=thirdPartyJvmInstaller\njvmInstallerBinary=vendor.exe\n"
         "jvmInstallerCommand=other.exe/*/*/*/s\n",
         "error: jvmInstallerCommand: its program part \"other.exe\" does not name jvmInstallerBinary"},
        {Bundle + "predefinedJvmInstallDir=[$ProgFiles]\\jvm\n", "error: predefinedJvmInstallDir: [$ProgFiles]\\jvm: unknown"},
        {Bundle + "predefinedJvmInstallDir=[$WinDir]\n", "error: predefinedJvmInstallDir: [$WinDir]: the variable must"},
        {Bundle + "predefinedJvmInstallDir=C:/jvm\n", "warning: predefinedJvmInstallDir: C:\\jvm lies outside Program Files"},
        {Bundle + "predefinedJvmInstallDir=[$AppDir]\\jvm\n", "warning: predefinedJvmInstallDir: [$AppDir] puts the JVM"},
        {Bundle + "predefinedJvmInstallDir=[$ProgFilesDir]\\jvm\n", "ok: predefinedJvmInstallDir: [$ProgFilesDir]\\jvm: under"},
        {"keystoreFilename=keys\n", "error: keystoreFilename: \"keys\" names no destination"},
        {"keystoreFilename=${user.home}/\n", "error: keystoreFilename: \"${user.home}/\" names no file"},
        {"keystoreFilename=${user.home}/.keystore\n", "error: .keystore: keystoreFilename: missing from the payload"},
        {"systemSecurityPolicyFilename=${java.home}/lib/security/java.policy\n",
         "ok: java.policy: systemSecurityPolicyFilename: present"},
        {"loaderClasspath=.;install.jar;lib\\extra.jar\n", "error: lib\\extra.jar: missing from the payload"},
        {"loaderClasspath=C:\\lib\\extra.jar\n", "warning: C:\\lib\\extra.jar: loaderClasspath: outside the payload"},
        {"", "error: install.jar: missing from the payload", "install.jar"},
        {"loaderJavaCommand=-Dx=1\n", "error: loaderJavaCommand: no main class"},
        {"", "warning: TestJvm.class: missing", "TestJvm.class"},
        {"", "error: cleanup.exe: missing", "cleanup.exe"},
        {"", "error: qbx.control: missing", "qbx.control"},
        {"", "error: ../up.txt: META-INF\\MANIFEST.MF: outside the payload", "META-INF/MANIFEST.MF", "Name: ../up.txt\n"},
        {"", "error: /up.txt: META-INF\\MANIFEST.MF: outside the payload", "META-INF/MANIFEST.MF", "Name: /up.txt\n"},
        {"", "warning: META-INF\\MANIFEST.MF: missing", "META-INF/MANIFEST.MF"},
    };
    for (const Mistake& row : rows) {
        std::vector<std::string> lines = checkPayload(row.control, row.file, row.content);
        bool printed = std::any_of(lines.begin(), lines.end(),
                                   [&](const std::string& line) { return line.starts_with(row.expected); });
        EXPECT_TRUE(printed) << "expected: " << row.expected << "\nprinted:\n" << ::testing::PrintToString(lines);
    }
}

} // namespace
