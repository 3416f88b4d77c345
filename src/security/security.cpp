#include "security/security.h"

#include <cstdio>

#include "exec/clib.h"
#include "exec/comparablepath.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "discovery/winvers.h"
#include "locale/language.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace {

const std::string JavaHomeDirSpec = "${java.home}";
const std::string UserHomeDirSpec = "${user.home}";
constexpr const char* DIR_END = "\\";
constexpr const char* LibDir = "lib";
constexpr const char* SecurityDir = "security";
constexpr const char* JavaSecurityFilename = "java.security";
const std::string JavaIdentityDbField = "identity.database=";
constexpr const char* WinNtLogonEntry = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* Win95LogonEntry = "Network\\Logon";
constexpr const char* ProfilesDir = "profiles";
constexpr const char* SystemLogFilename = "changes.txt";
// Lines of "java.security" are read up to this many characters.
constexpr std::size_t JavaSecurityLineLimit = 1999;
// Login names are read as into a buffer of this size.
constexpr std::size_t LoginNameBufferSize = 5001;
// Backups are numbered ".001" to ".999".
constexpr unsigned MaxBackups = 999;

struct RecordWords {
    const char* language;
    const char* verb;
    const char* preposition;
};

// Exact comparison in this order; any other language name gets the first row. "changes.txt"
// is read with the system's ANSI code page, so the French verb carries its accented letter as
// the single Windows-1252 byte E9.
constexpr RecordWords RecordWordTable[] = {
    {"english", "Renamed", "to"},
    {"french", "Renomm\xE9", "en"},
    {"german", "Alt:", "zu"},
    {"spanish", "Reagrupado ", "a"},
    {"polish", "Zmieniono", "na"},
    {"italian", "Rinominato", "a"},
    {"portuguese", "Nome modificado", "Para"},
    {"japanese", "Renamed", "to"},
    {"dutch", "Hernoemd", "naar"},
};

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Reads one line, keeping at most JavaSecurityLineLimit characters: the rest of a longer line
// is skipped (never read as a line of its own) and tooLong says so. false at the end of file.
bool readLimitedLine(std::FILE* file, std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    int c = std::getc(file);
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::getc(file)) {
        if (line.size() < JavaSecurityLineLimit)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
    return true;
}

// The text value, or "" when the key or the value cannot be read.
std::string queryMachineValue(const char* entry, const char* value)
{
    std::string text;
    platform::RegKey key;
    if (!platform::regOpenKey(platform::RegRoot::LocalMachine, entry, platform::RegAccess::QueryValue, key))
        return text;
    if (!platform::regQueryString(key, value, text, LoginNameBufferSize))
        text.clear();
    platform::regCloseKey(key);
    return text;
}

std::string loginName()
{
    WinVersion version;
    if (!version.winNT())
        return queryMachineValue(Win95LogonEntry, "username");
    std::string name = queryMachineValue(WinNtLogonEntry, "UserName");
    return name.empty() ? queryMachineValue(WinNtLogonEntry, "DefaultUserName") : name;
}

// Why a path named by the JVM's own "java.security" may not be used, or null. A ".." part (also
// with the trailing dots and blanks Windows drops) would leave the folders it names, and a link or
// reparse point on the way would lead anywhere: the backup and removal of an existing file and the
// folders created follow the path.
const char* unsafeIdentityPath(const std::string& path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (beginsWith(part, "..") && part.find_first_not_of(". ") == std::string::npos)
            return "a \"..\" part";
        platform::FileStatus status;
        if (end > 0 && path[end - 1] != ':' && platform::stat(path.substr(0, end), status) && status.isLink)
            return "a link";
        start = end + 1;
    }
    return nullptr;
}

} // namespace

bool Security::addSecurity(const std::string& systemPolicy, const std::string& userPolicy,
                           const std::string& keystore, const std::string& javaHomeDir,
                           const std::string& homeDirectory, bool replace)
{
    bool result = true;
    std::string name;
    std::string destination;
    // The system policy is governed like the user policy. Testing the unexpanded destination
    // text for existence first would refuse every "${java.home}" or "${user.home}" form.
    if (!systemPolicy.empty()) {
        if (getFilenames(systemPolicy, javaHomeDir, homeDirectory, name, destination)) {
            result = !destination.empty() && copySecurityFile(name, destination, replace);
        } else {
            _traceNoDestination(systemPolicy, name);
            result = true;
        }
    }
    if (!userPolicy.empty() && getFilenames(userPolicy, javaHomeDir, homeDirectory, name, destination))
        result = !destination.empty() && copySecurityFile(name, destination, replace);
    if (!keystore.empty())
        result = addCertificate(keystore, javaHomeDir, homeDirectory, name, destination, replace);
    return result;
}

bool Security::addCertificate(const std::string& keystore, const std::string& javaHomeDir,
                              const std::string& homeDirectory, std::string& name, std::string& destination,
                              bool replace)
{
    if (!getFilenames(keystore, javaHomeDir, homeDirectory, name, destination)) {
        _traceNoDestination(keystore, name);
        return false;
    }
    std::string currentDir;
    getCurrentDir(currentDir);
    name = currentDir + DIR_END + name;

    // The JVM's own identity database setting wins over the destination text.
    std::string identityPath;
    if (getIdentityIdFilename(javaHomeDir, identityPath)) {
        destination = identityPath;
        return !destination.empty() && copySecurityFile(name, destination, replace);
    }
    if (destination.empty() || !copySecurityFile(name, destination, replace))
        return false;
    if (!contains(keystore, UserHomeDirSpec))
        return true;
    if (!getAlternateDestination(keystore, homeDirectory, destination)) {
        traceMessage(TraceFilename, "unable to find login name in registry");
        return false;
    }
    return copySecurityFile(name, destination, replace);
}

bool Security::getFilenames(const std::string& spec, const std::string& javaHomeDir,
                            const std::string& homeDirectory, std::string& name, std::string& destination)
{
    name.clear();
    destination.clear();
    // Text before a variable is ignored; "${java.home}" is looked for first.
    bool variable = true;
    bool userHome = false;
    std::string base;
    std::string rest;
    if (auto at = spec.find(JavaHomeDirSpec); at != std::string::npos) {
        base = javaHomeDir;
        rest = spec.substr(at + JavaHomeDirSpec.size());
    } else if (at = spec.find(UserHomeDirSpec); at != std::string::npos) {
        userHome = true;
        base = homeDirectory;
        rest = spec.substr(at + UserHomeDirSpec.size());
    } else {
        variable = false;
        rest = spec;
    }

    auto slash = rest.rfind('/');
    if (slash == std::string::npos) {
        if (!variable)
            return false;
        name = rest;
        if (!userHome)
            return true; // nothing to install below the JVM home
        // A variable with no directory to stand for would name the root of the current drive.
        if (base.empty())
            return false;
        destination = base + DIR_END + name;
        return true;
    }
    name = rest.substr(slash + 1);
    if (!fexists(name))
        return false;
    // Without its directory, a variable would put the file into the working directory, which the
    // clean-up removes.
    if (variable && base.empty())
        return false;
    std::string directories = rest.substr(0, slash);
    if (!addDirectories(base, directories))
        return false;
    destination = directories + DIR_END + name;
    return true;
}

bool Security::addDirectories(const std::string& base, std::string& directories)
{
    std::string path = base;
    std::size_t start = 0;
    while (start < directories.size() && path.size() <= MaxPathLength) {
        std::size_t end = directories.find('/', start);
        if (end == std::string::npos)
            end = directories.size();
        if (end > start) {
            if (!path.empty())
                path += DIR_END;
            path.append(directories, start, end - start);
            // Beyond the path limit nothing is created.
            if (path.size() <= MaxPathLength)
                platform::makeDir(path); // an existing directory is fine
        }
        start = end + 1;
    }
    if (path.size() > MaxPathLength || !fexists(path)) {
        traceMessage(TraceFilename, "unable to create security directory", path);
        return false;
    }
    directories = path;
    return true;
}

bool readIdentityDatabasePath(std::FILE* in, std::string& path, bool& tooLong)
{
    std::string line;
    bool found = false;
    tooLong = false;
    while (!found && readLimitedLine(in, line, tooLong))
        found = beginsWith(line, JavaIdentityDbField);
    if (!found) {
        tooLong = false;
        return false;
    }
    std::string value = line.substr(JavaIdentityDbField.size());
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' '))
        value.pop_back();
    path.clear();
    for (char c : value) {
        if (c == '/')
            c = '\\';
        if (c != '\\' || path.empty() || path.back() != '\\')
            path += c;
    }
    return true;
}

bool Security::getIdentityIdFilename(const std::string& javaHomeDir, std::string& path)
{
    std::string file = javaHomeDir + DIR_END + LibDir + DIR_END + SecurityDir + DIR_END + JavaSecurityFilename;
    if (!fexists(file))
        return false;
    std::FILE* in = platform::openFile(file, "rt");
    if (in == nullptr)
        return false;
    std::string identity;
    bool tooLong = false;
    bool found = readIdentityDatabasePath(in, identity, tooLong);
    std::fclose(in);
    if (!found)
        return false;
    // A path cut at the line limit would name some other file: use none.
    if (tooLong) {
        traceMessage(TraceFilename, "identity database line too long in", file);
        return false;
    }
    if (const char* reason = unsafeIdentityPath(identity)) {
        traceMessage(TraceFilename, std::string("identity database path refused (") + reason + "):", identity);
        return false;
    }
    path = identity;
    auto separator = identity.rfind('\\');
    if (separator != std::string::npos) {
        // Holds no "/": only the file's own directory is created.
        std::string directory = identity.substr(0, separator);
        addDirectories("", directory);
    }
    return true;
}

bool Security::getAlternateDestination(const std::string& spec, const std::string& homeDirectory,
                                       std::string& destination)
{
    auto slash = spec.rfind('/');
    if (slash == std::string::npos || !equalsIgnoringCase(spec.substr(0, slash), UserHomeDirSpec))
        return false;
    std::string login = loginName();
    if (login.empty()) {
        traceMessage(TraceFilename, "unable to find login name in registry");
        return false;
    }
    std::string profile = std::string(ProfilesDir) + "/" + login;
    addDirectories(homeDirectory, profile);
    destination = profile + DIR_END + spec.substr(slash + 1);
    return true;
}

bool Security::copySecurityFile(const std::string& source, const std::string& destination, bool replace)
{
    if (destination.empty() || destination.size() > MaxPathLength)
        return false;
    // The destination may be the source itself (the home directory is the working directory):
    // its backup would remove the only copy.
    if (sameFile(source, destination)) {
        traceMessage(TraceFilename, "security file already in place", destination);
        return true;
    }
    if (replace && fexists(source) && fexists(destination))
        backupFile(destination);
    if (fexists(destination))
        return true; // kept: not to be replaced, or its backup failed
    return copyFile(source, destination);
}

bool Security::backupFile(const std::string& path)
{
    // The extension of the last component gives way to the backup number.
    std::string stem = path;
    auto separator = path.rfind('\\');
    auto dot = path.rfind('.');
    if (separator != std::string::npos && dot != std::string::npos && dot > separator)
        stem.erase(dot);
    // Never over an earlier backup: the first one holds the user's original file.
    std::string backup;
    for (unsigned number = 1; number <= MaxBackups && backup.empty(); ++number) {
        std::string digits = std::to_string(number);
        std::string candidate = stem + "." + std::string(3 - digits.size(), '0') + digits;
        if (!fexists(candidate))
            backup = candidate;
    }
    if (backup.empty() || !copyFile(path, backup))
        return false;
    // A file that cannot be removed stays in use: drop the copy rather than record a change.
    if (!platform::removeFile(path)) {
        platform::removeFile(backup);
        return false;
    }

    std::string language;
    getLanguage(language);
    const RecordWords* words = &RecordWordTable[0];
    for (const RecordWords& row : RecordWordTable)
        if (language == row.language) {
            words = &row;
            break;
        }
    // The record names the first backup whatever the real one; its readers expect this line.
    logSystemChange(std::string(words->verb) + " " + words->preposition + " " + path + " identitydb.001");
    traceMessage(TraceFilename, "backed up security file", path + " to " + backup);
    return true;
}

void Security::logSystemChange(const std::string& text)
{
    std::FILE* file = platform::openFile(SystemLogFilename, "at");
    if (file == nullptr)
        return;
    std::fputs((text + "\n").c_str(), file);
    std::fclose(file);
}

void Security::_traceNoDestination(const std::string& spec, const std::string& name)
{
    if (!name.empty() && fexists(name))
        traceMessage(TraceFilename, "unable to get destination", spec);
}
