#include "check/payloadcheck.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "control/configreg.h"
#include "control/linereader.h"
#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "launcher/manifest.h"
#include "launcher/provision.h"
#include "platform/files.h"
#include "platform/heldfile.h"
#include "provision/payloadintegrity.h"
#include "provision/runjvminstaller.h"

namespace {

constexpr const char* ControlFile = "qbx.control";
constexpr const char* CopyOfControlFile = "qbx.control";
constexpr const char* WizardArchive = "install.jar";
constexpr const char* TestProgram = "TestJvm.class";
constexpr const char* CleanupProgram = "cleanup.exe";
constexpr const char* Manifest = "META-INF\\MANIFEST.MF";
constexpr const char* MisspeltBundleType = "selfExtractorJvmInstaller";
constexpr const char* ProgFilesDirVariable = "[$ProgFilesDir]";
constexpr const char* WinDirVariable = "[$WinDir]";
constexpr const char* AppDirVariable = "[$AppDir]";
constexpr const char* JavaHomeSpec = "${java.home}";
constexpr const char* UserHomeSpec = "${user.home}";

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string lineLabel(int number)
{
    return "line " + std::to_string(number);
}

bool readBytes(const std::string& path, std::string& bytes)
{
    std::FILE* in = platform::openFile(path, "rb");
    if (in == nullptr)
        return false;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        bytes.append(buffer, n);
    bool read = !std::ferror(in);
    std::fclose(in);
    return read;
}

// The key the reader takes a line for: the first of its table that begins it, then the key read
// on its own; nullptr for a line it skips.
const char* keyOfLine(const std::string& line)
{
    for (const ControlKey& key : controlKeys())
        if (beginsWith(line, key.name))
            return key.name;
    return beginsWith(line, ConfigureRegistryField) ? ConfigureRegistryField : nullptr;
}

std::size_t valueLimit(const char* key)
{
    for (const ControlKey& known : controlKeys())
        if (std::strcmp(known.name, key) == 0)
            return known.size - 1;
    return MaxLineLength;
}

// Versions start with a digit and hold no blank: "1.8.0_401", "17", "21-ea".
bool isVersionText(const std::string& text)
{
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) &&
           std::none_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

bool isAbsolute(const std::string& path)
{
    return !path.empty() && (path[0] == '\\' || path[0] == '/' || path.find(':') != std::string::npos);
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

bool PayloadCheck::run(Findings& findings)
{
    platform::FileStatus status;
    if (!platform::stat(dir, status) || !status.isDirectory)
        return false;
    std::string bytes;
    if (!readBytes(_path(ControlFile), bytes))
        findings.error(ControlFile, "missing: the launcher stops with \"Unable to open qbx.control\"");
    else
        checkControlText(bytes, findings);
    ControlValues values;
    if (!readValues(bytes, values)) {
        findings.error(ControlFile, "could not be read through a copy in " + scratch);
        return true;
    }
    checkVersions(values, findings);
    checkWizard(values, findings);
    checkProvisioning(values, findings);
    checkSecurityFiles(values, findings);
    checkCleanup(findings);
    return true;
}

void PayloadCheck::checkControlText(const std::string& bytes, Findings& findings)
{
    keyLines.clear();
    if (bytes.compare(0, 2, "\xFE\xFF") == 0) {
        findings.error(ControlFile, "UTF-16 big-endian: not read; save it as ANSI text");
        return;
    }
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        findings.warning(ControlFile, "UTF-16: read in the ANSI code page, letters outside it are lost");
    else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        findings.ok(ControlFile, "UTF-8 byte-order mark: skipped, the text is read as ANSI");
    for (std::size_t at = bytes.find('\r'); at != std::string::npos; at = bytes.find('\r', at + 1))
        if (at + 1 == bytes.size() || bytes[at + 1] != '\n') {
            findings.error(ControlFile, "a line ends with a carriage return alone: the reader joins it with the next");
            break;
        }

    std::vector<std::string> lines = split(controlFileText(bytes), '\n');
    for (std::size_t i = 0; i < lines.size(); ++i)
        _checkLine(lines[i], static_cast<int>(i + 1), findings);

    for (const auto& [key, numbers] : keyLines) {
        if (numbers.size() < 2)
            continue;
        std::string where;
        for (int number : numbers)
            where += (where.empty() ? "" : ", ") + std::to_string(number);
        bool firstWins = key == ConfigureRegistryField;
        findings.warning(key, "given on lines " + where + ": only line " +
                                  std::to_string(firstWins ? numbers.front() : numbers.back()) + " counts");
    }
    findings.ok(ControlFile, std::to_string(keyLines.size()) + " keys read");
}

void PayloadCheck::_checkLine(const std::string& whole, int number, Findings& findings)
{
    std::string line = whole;
    if (line.size() > MaxLineLength) {
        findings.error(lineLabel(number), "longer than " + std::to_string(MaxLineLength) +
                                              " characters: the reader takes it as several lines");
        line.resize(MaxLineLength);
    }
    const char* key = keyOfLine(line);
    if (key == nullptr) {
        std::size_t start = line.find_first_not_of(" \t");
        std::string word = controlEntryKey(line);
        if (start != 0 && start != std::string::npos && keyOfLine(line.substr(start)) != nullptr)
            findings.error(lineLabel(number), "indented: a key must begin its line, this one is ignored");
        else if (!word.empty() && !isControlKey(word))
            findings.error(word, lineLabel(number) + ": unknown key, ignored (nearest known key: " +
                                     nearestControlKey(word) + ")");
        return;
    }
    auto seen = std::find_if(keyLines.begin(), keyLines.end(), [&](const auto& entry) { return entry.first == key; });
    if (seen == keyLines.end())
        seen = keyLines.insert(keyLines.end(), {key, {}});
    seen->second.push_back(number);

    const std::size_t length = std::strlen(key);
    const std::string value = line.size() > length ? line.substr(length + 1) : std::string();
    if (line.size() > length && line[length] != '=') {
        if (line[length] == ' ' || line[length] == '\t')
            findings.error(key, lineLabel(number) + ": the blank after the key is taken for \"=\": the value is " +
                                    quoted(value));
        else
            findings.error(line.substr(0, line.find('=')),
                           lineLabel(number) + ": read as " + key + " with the value " + quoted(value));
    } else if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) {
        findings.warning(key, lineLabel(number) + ": the blanks around the value are part of it: " + quoted(value));
    }
    if (value.size() > valueLimit(key))
        findings.warning(key, lineLabel(number) + ": the value of " + std::to_string(value.size()) +
                                  " characters is cut to " + std::to_string(valueLimit(key)));
    if (key == std::string(ConfigureRegistryField)) {
        std::string answer = toLower(value);
        if (answer != "true" && answer != "yes" && answer != "false" && answer != "no")
            findings.warning(key, lineLabel(number) + ": " + quoted(value) + " is read as false");
    }
}

bool PayloadCheck::readValues(const std::string& bytes, ControlValues& values)
{
    const std::string copy = scratch + "\\" + CopyOfControlFile;
    std::FILE* out = platform::openFile(copy, "wt");
    if (out == nullptr)
        return false;
    const std::string text = controlFileText(bytes);
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    written = std::fclose(out) == 0 && written;
    GetParameters reader;
    values.controlFilename = copy;
    bool read = written && reader.parseParameters(values);
    platform::removeFile(copy);
    return read;
}

bool PayloadCheck::given(const std::string& key) const
{
    return std::any_of(keyLines.begin(), keyLines.end(), [&](const auto& entry) { return entry.first == key; });
}

void PayloadCheck::checkVersions(const ControlValues& values, Findings& findings)
{
    const std::pair<const char*, const std::string*> limits[] = {{"jvmRequiredVersion", &values.jvmRequiredVersion},
                                                                 {"jvmMinVersion", &values.jvmMinVersion},
                                                                 {"jvmMaxVersion", &values.jvmMaxVersion},
                                                                 {"jvmVersion", &values.jvmVersion}};
    bool versions = true;
    for (const auto& [key, value] : limits)
        if (!value->empty() && !isVersionText(*value)) {
            findings.error(key, quoted(*value) + " is not a version");
            versions = false;
        }
    if (!versions)
        return;
    const std::string& required = values.jvmRequiredVersion;
    const std::string& minimum = values.jvmMinVersion;
    const std::string& maximum = values.jvmMaxVersion;
    JvmOk test;
    if (!minimum.empty() && !maximum.empty() && compareVersions(minimum, maximum) > 0)
        findings.error("jvmMinVersion", minimum + " is above jvmMaxVersion " + maximum + ": no JVM is accepted");
    if (!required.empty() && (!minimum.empty() || !maximum.empty())) {
        std::string origin = given("jvmRequiredVersion") ? "" : " (taken from jvmVersion or the default)";
        if (!test.verifyVersion("", minimum, maximum, required))
            findings.error("jvmRequiredVersion", required + origin + " lies outside jvmMinVersion and jvmMaxVersion");
        else
            findings.warning("jvmRequiredVersion", required + origin +
                                                       " is the only version accepted: the range is not used");
    }
    const std::string description = versionDescription(required, minimum, maximum);
    if (provisionWay(values.jvmInstallerType) != ProvisionWay::None && !values.jvmVersion.empty()) {
        if (!test.verifyVersion(required, minimum, maximum, values.jvmVersion))
            findings.error("jvmVersion", "the JVM the payload provides, " + values.jvmVersion +
                                             ", does not meet the limits (" + description + ")");
        else
            findings.ok("jvmVersion", "the JVM the payload provides, " + values.jvmVersion + ", meets the limits");
    }
    findings.ok("versions", "accepted: " + description);
}

void PayloadCheck::checkWizard(const ControlValues& values, Findings& findings)
{
    std::vector<std::string> entries{WizardArchive};
    for (const std::string& entry : split(values.loaderClasspath, ';'))
        if (!entry.empty() && entry != "." && std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    for (const std::string& entry : entries) {
        if (isAbsolute(entry))
            findings.warning(entry, "loaderClasspath: outside the payload, it must exist on the user's machine");
        else if (!fexists(_path(entry)))
            findings.error(entry, "missing from the payload: the wizard does not start");
        else
            findings.ok(entry, "present");
    }
    std::string mainClass;
    for (const std::string& word : split(values.loaderJavaCommand, ' '))
        if (!word.empty() && word[0] != '-') {
            mainClass = word;
            break;
        }
    if (mainClass.empty())
        findings.error("loaderJavaCommand", "no main class: the wizard command names nothing to run");
    else
        findings.ok("loaderJavaCommand", "main class " + mainClass);
    if (fexists(_path(TestProgram)))
        findings.ok(TestProgram, "present: each JVM found is proven before it is used");
    else
        findings.warning(TestProgram, "missing: JVMs found on the machine are then used unproven");
}

void PayloadCheck::checkProvisioning(const ControlValues& values, Findings& findings)
{
    const std::string& type = values.jvmInstallerType;
    const ProvisionWay way = provisionWay(type);
    if (type.empty())
        findings.ok("jvmInstallerType", "not set: no JVM is provided when none is found");
    else if (equalsIgnoringCase(type, MisspeltBundleType))
        findings.error("jvmInstallerType", quoted(type) + " selects nothing: the launcher's value is spelled "
                                           "without the c, selfExtratorJvmInstaller");
    else if (way == ProvisionWay::None)
        findings.error("jvmInstallerType", quoted(type) + " selects nothing: the values are "
                                           "selfExtratorJvmInstaller and thirdPartyJvmInstaller");
    else
        findings.ok("jvmInstallerType", way == ProvisionWay::Bundle ? "the payload's self-expanding JVM"
                                                                    : "the vendor's JVM installer");

    if (way == ProvisionWay::Bundle) {
        _checkProgram("jvmSelfExtractor", values.jvmSelfExtractor, "sha256JvmSelfExtractor",
                      values.sha256JvmSelfExtractor, findings);
        if (!values.predefinedJvmInstallDir.empty())
            _checkPredefinedDir(values.predefinedJvmInstallDir, findings);
    } else if (!values.sha256JvmSelfExtractor.empty()) {
        findings.warning("sha256JvmSelfExtractor", "set, but no self-expanding JVM is provided");
    }
    if (way == ProvisionWay::VendorInstaller) {
        _checkProgram("jvmInstallerBinary", values.jvmInstallerBinary, "sha256JvmInstallerBinary",
                      values.sha256JvmInstallerBinary, findings);
        std::string program = unquotedPath(splitInstallerCommand(values.jvmInstallerCommand).program);
        if (values.jvmInstallerBinary.empty() || equalsIgnoringCase(fileNamePart(program),
                                                                    fileNamePart(values.jvmInstallerBinary)))
            findings.ok("jvmInstallerCommand", "runs " + quoted(program));
        else
            findings.error("jvmInstallerCommand", "its program part " + quoted(program) +
                                                      " does not name jvmInstallerBinary " +
                                                      quoted(values.jvmInstallerBinary));
    } else if (!values.sha256JvmInstallerBinary.empty()) {
        findings.warning("sha256JvmInstallerBinary", "set, but no vendor installer is provided");
    }
}

void PayloadCheck::_checkProgram(const char* key, const std::string& name, const char* pinKey,
                                 const std::string& pinned, Findings& findings)
{
    if (name.empty()) {
        findings.error(key, "not set: the launcher has nothing to run");
        return;
    }
    platform::HeldFile file;
    std::string digest, why;
    if (!fexists(_path(name))) {
        findings.error(name, std::string(key) + ": missing from the payload");
        return;
    }
    if (!file.open(_path(name), why) || !file.sha256(digest, why)) {
        findings.error(name, std::string(key) + ": unreadable: " + why);
        return;
    }
    const std::string computed = hexText(digest);
    const std::string line = std::string(pinKey) + "=" + computed;
    std::string expected;
    if (pinned.empty())
        findings.warning(pinKey, "not set: " + name + " runs unchecked; pin it with the line " + line);
    else if (!normalizeDigest(pinned, expected))
        findings.error(pinKey, "not 64 hexadecimal digits: the launcher refuses to run " + name);
    else if (expected != computed)
        findings.error(pinKey, "does not match " + name + ", the launcher refuses to run it; the file's line is " +
                                   line);
    else
        findings.ok(name, std::string(key) + ": present, pinned by " + line);
}

void PayloadCheck::_checkPredefinedDir(const std::string& predefined, Findings& findings)
{
    const char* key = "predefinedJvmInstallDir";
    if (!beginsWith(predefined, "[$")) {
        findings.warning(key, predefined + " lies outside Program Files: the launcher uses it only when no one but "
                                           "administrators can change it");
        return;
    }
    const char* variable = nullptr;
    for (const char* known : {ProgFilesDirVariable, WinDirVariable, AppDirVariable})
        if (beginsWith(predefined, known))
            variable = known;
    if (variable == nullptr) {
        findings.error(key, predefined + ": unknown variable; the variables are [$ProgFilesDir], [$WinDir] and "
                                         "[$AppDir]");
    } else if (variable == AppDirVariable) {
        findings.warning(key, "[$AppDir] puts the JVM into the working directory (what follows is ignored), "
                              "outside Program Files");
    } else if (!beginsWith(predefined, std::string(variable) + "\\") || predefined.size() == std::strlen(variable) + 1) {
        findings.error(key, predefined + ": the variable must be followed by a backslash and a folder");
    } else if (variable == WinDirVariable) {
        findings.warning(key, predefined + " lies outside Program Files, in the Windows directory");
    } else {
        findings.ok(key, predefined + ": under Program Files");
    }
}

void PayloadCheck::checkSecurityFiles(const ControlValues& values, Findings& findings)
{
    const std::pair<const char*, const std::string*> files[] = {
        {"systemSecurityPolicyFilename", &values.systemSecurityPolicyFilename},
        {"userSecurityPolicyFilename", &values.userSecurityPolicyFilename},
        {"keystoreFilename", &values.keystoreFilename}};
    for (const auto& [key, spec] : files) {
        if (spec->empty())
            continue;
        std::string rest = *spec;
        bool variable = false;
        for (const char* base : {JavaHomeSpec, UserHomeSpec})
            if (auto at = spec->find(base); at != std::string::npos && !variable) {
                rest = spec->substr(at + std::strlen(base));
                variable = true;
            }
        const std::size_t slash = rest.rfind('/');
        const std::string name = slash == std::string::npos ? rest : rest.substr(slash + 1);
        if (!variable && slash == std::string::npos)
            findings.error(key, quoted(*spec) + " names no destination: begin it with ${java.home}/ or "
                                                "${user.home}/, or name a folder");
        else if (name.empty())
            findings.error(key, quoted(*spec) + " names no file");
        else if (!fexists(_path(name)))
            findings.error(name, std::string(key) + ": missing from the payload");
        else
            findings.ok(name, std::string(key) + ": present");
    }
}

void PayloadCheck::checkCleanup(Findings& findings)
{
    if (fexists(_path(CleanupProgram)))
        findings.ok(CleanupProgram, "present");
    else
        findings.error(CleanupProgram, "missing: the working directory stays on the user's machine");
    std::FILE* in = platform::openFile(_path(Manifest), "rt");
    if (in == nullptr) {
        findings.warning(Manifest, "missing: the clean-up deletes no file by name");
        return;
    }
    std::size_t unsafe = 0;
    const std::vector<std::string> names = readManifestNames(in);
    std::fclose(in);
    for (const std::string& name : names)
        if (!isSafeManifestName(name)) {
            findings.error(name, std::string(Manifest) + ": outside the payload, the clean-up leaves it");
            ++unsafe;
        }
    if (unsafe == 0)
        findings.ok(Manifest, std::to_string(names.size()) + " names, all inside the payload");
}
