#include "control/getparam.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "control/configreg.h"
#include "control/extsearchkey.h"
#include "control/jvmarchkey.h"
#include "control/linereader.h"
#include "exec/clib.h"
#include "exec/fexists.h"
#include "exec/unicode.h"
#include "platform/files.h"

namespace {

constexpr const char* RequiredVersionField = "jvmRequiredVersion";
constexpr const char* MinVersionField = "jvmMinVersion";
constexpr const char* MaxVersionField = "jvmMaxVersion";
constexpr const char* JvmVersionField = "jvmVersion";
constexpr const char* JvmTypeField = "jvmName";
constexpr const char* JvmNameField = "jvmCommandName";
constexpr const char* JvmExtraSwitchesField = "jvmExtraParameters";
constexpr const char* ClasspathSwitchField = "jvmClasspathSwitch";
constexpr const char* InstallParametersField = "loaderJavaCommand";
constexpr const char* ClasspathField = "loaderClasspath";
constexpr const char* JvmInstallerTypeField = "jvmInstallerType";
constexpr const char* JvmSelfExtractorField = "jvmSelfExtractor";
constexpr const char* JvmInstallerBinaryField = "jvmInstallerBinary";
constexpr const char* JvmInstallerCommandField = "jvmInstallerCommand";
constexpr const char* PredefinedJvmInstallDir = "predefinedJvmInstallDir";
constexpr const char* JvmHomeDirField = "jvmHomeDir";
constexpr const char* SystemSecurityField = "systemSecurityPolicyFilename";
constexpr const char* UserSecurityField = "userSecurityPolicyFilename";
constexpr const char* IdentityDbField = "keystoreFilename";
constexpr const char* AppletUrlField = "appletUrl";
constexpr const char* SearchForJvmField = "searchForJvm";
// No key may begin with another's name: these begin with "sha256", which no other key does.
constexpr const char* ExpanderSha256Field = "sha256JvmSelfExtractor";
constexpr const char* InstallerSha256Field = "sha256JvmInstallerBinary";

constexpr const char* TempControlFilename = "__qbx.control";
constexpr const char* AsideControlFilename = "__qbx.control.old";

constexpr const char* DefaultClasspath = ".;install.jar";
constexpr const char* DefaultRequiredVersion = "1.4";
constexpr const char* DefaultJvmType = "JRE";
constexpr const char* DefaultJvmCommand = "jre.exe";

// Console runtimes and the windowless names used when the user did not ask for tracing.
constexpr const char* OldJreFilename = "jre.exe";
constexpr const char* OldJrewFilename = "jrew.exe";
constexpr const char* NewJreFilename = "java.exe";
constexpr const char* NewJrewFilename = "javaw.exe";

// The order matters only for malformed lines: the first key that begins a line wins.
const std::array<ControlKey, ControlKeyCount> Keys{{
    {RequiredVersionField, &ControlValues::jvmRequiredVersion, 201},
    {MinVersionField, &ControlValues::jvmMinVersion, 201},
    {MaxVersionField, &ControlValues::jvmMaxVersion, 201},
    {JvmVersionField, &ControlValues::jvmVersion, 201},
    {JvmTypeField, &ControlValues::jvmName, 201},
    {JvmNameField, &ControlValues::jvmCommandName, 5001},
    {JvmExtraSwitchesField, &ControlValues::jvmExtraParameters, 5000},
    {ClasspathSwitchField, &ControlValues::jvmClasspathSwitch, 1000},
    {InstallParametersField, &ControlValues::loaderJavaCommand, 5000},
    {ClasspathField, &ControlValues::loaderClasspath, 5000},
    {JvmInstallerTypeField, &ControlValues::jvmInstallerType, 5000},
    {JvmSelfExtractorField, &ControlValues::jvmSelfExtractor, 5000},
    {JvmInstallerBinaryField, &ControlValues::jvmInstallerBinary, 5000},
    {JvmInstallerCommandField, &ControlValues::jvmInstallerCommand, 5000},
    {PredefinedJvmInstallDir, &ControlValues::predefinedJvmInstallDir, 5000},
    {JvmHomeDirField, &ControlValues::jvmHomeDir, 5001},
    {SystemSecurityField, &ControlValues::systemSecurityPolicyFilename, 5001},
    {UserSecurityField, &ControlValues::userSecurityPolicyFilename, 5001},
    {IdentityDbField, &ControlValues::keystoreFilename, 5001},
    {AppletUrlField, &ControlValues::appletUrl, 5000},
    {SearchForJvmField, &ControlValues::searchForJvm, 100},
    {ExtendedJvmSearchField, &ControlValues::extendedJvmSearch, 100},
    {ExpanderSha256Field, &ControlValues::sha256JvmSelfExtractor, 201},
    {InstallerSha256Field, &ControlValues::sha256JvmInstallerBinary, 201},
    {JvmArchitectureField, &ControlValues::jvmArchitecture, 100},
}};

void emptyValues(ControlValues& values)
{
    for (const auto& key : Keys)
        (values.*key.field).clear();
}

bool beginsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// The extension counts only when its first occurrence is the name's last four characters.
bool hasExtension(const std::string& name, const char* extension)
{
    auto position = name.find(extension);
    return position != std::string::npos && position + 4 == name.size();
}

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Case-blind edit distance, to name the key a mistyped one was meant to be.
std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string controlEntryKey(const std::string& line)
{
    auto equals = line.find('=');
    if (line.empty() || line[0] == '#' || line[0] == ';' || equals == std::string::npos || equals == 0)
        return {};
    std::string key = line.substr(0, equals);
    for (char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.' && c != '-')
            return {};
    return key;
}

std::string controlFileText(const std::string& bytes)
{
    std::string text = textFileUtf8(bytes);
    std::erase(text, '\r');
    return text;
}

std::string nearestControlKey(const std::string& key)
{
    // A typo of a key is short: comparing the first 32 characters keeps a line of garbage cheap.
    const std::string typed = key.substr(0, 32);
    std::string nearest = ConfigureRegistryField;
    std::size_t best = editDistance(typed, nearest);
    for (const ControlKey& known : Keys) {
        // The distance is at least the difference in length: such a key cannot be nearer.
        std::size_t length = std::strlen(known.name);
        if ((typed.size() > length ? typed.size() - length : length - typed.size()) >= best)
            continue;
        std::size_t distance = editDistance(typed, known.name);
        if (distance < best) {
            best = distance;
            nearest = known.name;
        }
    }
    return nearest;
}

bool isControlKey(const std::string& key)
{
    return key == ConfigureRegistryField ||
           std::any_of(Keys.begin(), Keys.end(), [&](const ControlKey& known) { return key == known.name; });
}

const std::array<ControlKey, ControlKeyCount>& controlKeys()
{
    return Keys;
}

void GetParameters::setHwnd(platform::WindowHandle window)
{
    hwnd = window;
}

bool GetParameters::getParameters(ControlValues& values)
{
    emptyValues(values);
    values.controlFilename = QbxControlFilename;
    if (!convertLineEndings(values.controlFilename))
        return false;
    if (!parseParameters(values))
        return false;

    std::string versions;
    if (!values.jvmRequiredVersion.empty())
        versions = "Valid version of " + values.jvmCommandName + ": " + values.jvmRequiredVersion;
    else
        versions = "Valid versions of " + values.jvmCommandName + ": " + values.jvmMinVersion + " through " +
                   values.jvmMaxVersion;
    traceMessage(TraceFilename, versions);
    return true;
}

bool GetParameters::convertLineEndings(const std::string& filename)
{
    std::string text;
    if (!readWholeFile(filename, text)) {
        logMessage(ErrorsFilename, "Unable to open qbx.control");
        showError("Unable to open qbx.control");
        return false;
    }
    std::string converted = controlFileText(text);
    std::FILE* out = platform::openFile(TempControlFilename, "wt");
    if (!out) {
        logMessage(ErrorsFilename, "Unable to convert line endings for qbx.control");
        showError("Unable to convert line endings for qbx.control");
        return false;
    }
    bool copied = std::fwrite(converted.data(), 1, converted.size(), out) == converted.size();
    copied = std::fclose(out) == 0 && copied;
    if (!copied) {
        // A full disk must not cost the control file: keep it and drop the partial copy.
        platform::removeFile(TempControlFilename);
        logMessage(ErrorsFilename, "Unable to convert line endings for qbx.control");
        showError("Unable to convert line endings for qbx.control");
        return false;
    }
    replaceControlFile(filename);
    return true;
}

void GetParameters::replaceControlFile(const std::string& filename)
{
    // The original goes only once the copy has its place: at every step one of them is whole.
    platform::removeFile(AsideControlFilename);
    if (!platform::renameFile(filename, AsideControlFilename)) {
        traceMessage(TraceFilename, "unable to replace the control file by", TempControlFilename);
        platform::removeFile(TempControlFilename);
        return;
    }
    if (!platform::renameFile(TempControlFilename, filename)) {
        bool restored = platform::renameFile(AsideControlFilename, filename);
        traceMessage(TraceFilename, "unable to replace the control file by", TempControlFilename);
        traceMessage(TraceFilename, "original control file restored", restored);
        if (restored)
            platform::removeFile(TempControlFilename);
        return;
    }
    platform::removeFile(AsideControlFilename);
}

bool GetParameters::parseParameters(ControlValues& values)
{
    emptyValues(values);
    std::FILE* file = platform::openFile(values.controlFilename, "rt");
    if (!file) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to open file", values.controlFilename);
        showError("Unable to open control file");
        return false;
    }
    readControlValues(file, values);
    std::fclose(file);
    return true;
}

bool GetParameters::readControlValues(std::FILE* file, ControlValues& values)
{
    std::string line;
    while (readLine(file, line)) {
        auto key = std::find_if(Keys.begin(), Keys.end(),
                                [&](const ControlKey& candidate) { return beginsWith(line, candidate.name); });
        if (key == Keys.end()) {
            // Unknown keys are skipped, but a mistyped one should show in the trace.
            std::string unknown = controlEntryKey(line);
            // The suggestion costs a comparison with every key: only worth it when it is traced.
            if (!unknown.empty() && !isControlKey(unknown) && fexists(TraceFilename))
                traceMessage(TraceFilename, "unknown key in qbx.control",
                             unknown + " (nearest known key: " + nearestControlKey(unknown) + ")");
            continue;
        }

        // The one character after the key is the separator; a line holding only the key is empty.
        std::size_t offset = std::strlen(key->name) + 1;
        std::string value = line.size() > offset ? line.substr(offset) : std::string();
        if (value.size() > key->size - 1) {
            value.resize(key->size - 1);
            traceMessage(TraceFilename, std::string(key->name) + " value cut to", static_cast<int>(key->size - 1));
        }

        std::string& field = values.*key->field;
        field = value;
        if (std::strcmp(key->name, JvmExtraSwitchesField) == 0 && !field.empty())
            removeExtraBackSlashes(field);
        else if (std::strcmp(key->name, PredefinedJvmInstallDir) == 0)
            normalizeInstallDir(field);
        traceMessage(TraceFilename, key->name, field);
    }
    return verifyParameters(values.jvmRequiredVersion, values.jvmMinVersion, values.jvmVersion, values.jvmName,
                            values.jvmCommandName, values.loaderClasspath);
}

bool GetParameters::verifyParameters(std::string& requiredVersion, std::string& minVersion,
                                     std::string& jvmVersion, std::string& jvmName, std::string& commandName,
                                     std::string& classpath)
{
    if (classpath.empty())
        classpath = DefaultClasspath;
    if (requiredVersion.empty() && minVersion.empty())
        requiredVersion = jvmVersion.empty() ? DefaultRequiredVersion : jvmVersion;
    if (jvmVersion.empty())
        jvmVersion = requiredVersion;
    if (jvmName.empty())
        jvmName = DefaultJvmType;
    if (commandName.empty())
        commandName = DefaultJvmCommand;

    std::string name = lowercase(commandName);
    if (!hasExtension(name, ".exe") && !hasExtension(name, ".bat") && !hasExtension(name, ".com")) {
        auto dot = name.find('.');
        if (dot != std::string::npos)
            name.erase(dot);
        name += ".exe";
    }

    // The console runtime is kept only when the user asked for tracing: then its output is wanted.
    bool userTracing = fexists(TraceFilename) && !fexists(TempTraceFilename);
    if (!userTracing) {
        if (beginsWith(name, OldJreFilename))
            name = OldJrewFilename;
        else if (beginsWith(name, NewJreFilename))
            name = NewJrewFilename;
    }
    commandName = name;
    return true;
}

void GetParameters::removeExtraBackSlashes(std::string& switches)
{
    traceMessage(TraceFilename, "initial jvm switches for installer", switches);
    // From right to left, so that each backslash is judged by what follows it after the
    // deletions to its right: a run before a non-file-name character vanishes, other runs
    // shrink to one backslash.
    for (std::size_t i = switches.size(); i-- > 0;) {
        char next = i + 1 < switches.size() ? switches[i + 1] : '\0';
        if (switches[i] == '\\' && !isfilenameChar(next)) {
            traceMessage(TraceFilename, "  before extra back slash removed", switches);
            switches.erase(i, 1);
            traceMessage(TraceFilename, "  after extra back slash removed", switches);
        }
    }
    traceMessage(TraceFilename, "final jvm switches for installer", switches);
}

bool GetParameters::isfilenameChar(char c)
{
    return std::strchr("\"*/:<>?\\|", c) == nullptr || c == '\0';
}

void GetParameters::normalizeInstallDir(std::string& dir)
{
    for (std::size_t i = 0; i < dir.size(); ++i) {
        if (dir[i] == '/') {
            dir[i] = '\\';
        } else if (dir[i] == '\\' && i + 1 < dir.size() && (dir[i + 1] == ':' || dir[i + 1] == '\\')) {
            // The escaped character moves into place and is passed over unexamined.
            dir.erase(i, 1);
        }
    }
}
