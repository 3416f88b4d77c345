#include "control/getparam.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "control/extsearchkey.h"
#include "control/linereader.h"
#include "exec/fexists.h"
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

constexpr const char* TempControlFilename = "__qbx.control";

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

} // namespace

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
    std::FILE* in = platform::openFile(filename, "rt");
    if (!in) {
        logMessage(ErrorsFilename, "Unable to open qbx.control");
        showError("Unable to open qbx.control");
        return false;
    }
    std::FILE* out = platform::openFile(TempControlFilename, "wt");
    if (!out) {
        std::fclose(in);
        logMessage(ErrorsFilename, "Unable to convert line endings for qbx.control");
        showError("Unable to convert line endings for qbx.control");
        return false;
    }
    // Text mode has already turned CR LF into LF on Windows; what is left are carriage
    // returns of other origins (a file written on Linux, or CR-only line ends).
    bool copied = true;
    for (int c = std::getc(in); c != EOF && copied; c = std::getc(in))
        if (c != '\r')
            copied = std::putc(c, out) != EOF;
    copied = !std::ferror(in) && copied;
    std::fclose(in);
    copied = std::fclose(out) == 0 && copied;
    if (!copied) {
        // A full disk must not cost the control file: keep it and drop the partial copy.
        platform::removeFile(TempControlFilename);
        logMessage(ErrorsFilename, "Unable to convert line endings for qbx.control");
        showError("Unable to convert line endings for qbx.control");
        return false;
    }

    platform::removeFile(filename);
    if (!platform::renameFile(TempControlFilename, filename)) {
        // The original stays and is read as it is; the copy must not be left behind.
        traceMessage(TraceFilename, "unable to replace the control file by", TempControlFilename);
        platform::removeFile(TempControlFilename);
    }
    return true;
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

    std::string line;
    while (readLine(file, line)) {
        auto key = std::find_if(Keys.begin(), Keys.end(),
                                [&](const ControlKey& candidate) { return beginsWith(line, candidate.name); });
        if (key == Keys.end())
            continue;

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
    std::fclose(file);

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
