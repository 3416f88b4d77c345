// The control file "qbx.control": line endings, its 25 keys, defaults and the java command name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>

#include "diag/status.h"
#include "diag/trace.h"
#include "platform/ui.h"

/// The values of the control file, one member per key, plus the name of the file read.
struct ControlValues {
    std::string jvmRequiredVersion;
    std::string jvmMinVersion;
    std::string jvmMaxVersion;
    std::string jvmVersion;
    std::string jvmName;
    std::string jvmCommandName;
    std::string jvmInstallerType;
    std::string jvmSelfExtractor;
    std::string jvmInstallerBinary;
    std::string jvmInstallerCommand;
    std::string predefinedJvmInstallDir;
    std::string jvmHomeDir;
    std::string jvmExtraParameters;
    std::string jvmClasspathSwitch;
    std::string loaderClasspath;
    std::string loaderJavaCommand;
    std::string systemSecurityPolicyFilename;
    std::string userSecurityPolicyFilename;
    std::string keystoreFilename;
    std::string appletUrl;
    std::string searchForJvm;
    std::string extendedJvmSearch;
    std::string sha256JvmSelfExtractor;
    std::string sha256JvmInstallerBinary;
    std::string jvmArchitecture;
    std::string controlFilename;
};

/// One key of the control file: its name, the member it fills and that member's size in bytes
/// (a value keeps at most size - 1 characters). Its value starts at offset name length + 1.
struct ControlKey {
    const char* name;
    std::string ControlValues::*field;
    std::size_t size;
};

inline constexpr std::size_t ControlKeyCount = 25;

/// The keys in the order they are tested against a line.
const std::array<ControlKey, ControlKeyCount>& controlKeys();

/// The control file's text as UTF-8 (see textFileUtf8), carriage returns removed.
std::string controlFileText(const std::string& bytes);

/// The word before "=" of a line that looks like an entry (letters, digits, "_", "." and "-"),
/// or "" for comments and other text.
std::string controlEntryKey(const std::string& line);

/// true for the keys of the control file: those of the table and the ones read on their own.
bool isControlKey(const std::string& key);

/// The known key nearest to a mistyped one (fewest letters changed, ignoring case).
std::string nearestControlKey(const std::string& key);

/// Name of the control file in the current directory.
inline constexpr const char* QbxControlFilename = "qbx.control";

/// Reads "qbx.control" into a ControlValues; made for one call of getParameters.
class GetParameters : public Trace, public Status {
public:
    /// Stores the owner window (the status dialog).
    void setHwnd(platform::WindowHandle window);
    platform::WindowHandle ownerWindow() const { return hwnd; }

    /// true when the control file was converted, read and completed with defaults; every value
    /// is emptied first and controlFilename becomes "qbx.control". Failures show an error box.
    bool getParameters(ControlValues& values);
    /// true when values.controlFilename was read into the other values and the defaults applied.
    bool parseParameters(ControlValues& values);
    /// Reads the key lines of an open control file into values, then applies the defaults
    /// (values.controlFilename is left as it is); always true.
    bool readControlValues(std::FILE* file, ControlValues& values);
    /// Applies the defaults and the derived java command name; always true.
    bool verifyParameters(std::string& requiredVersion, std::string& minVersion, std::string& jvmVersion,
                          std::string& jvmName, std::string& commandName, std::string& classpath);
    /// true when the file could be read and its converted text written (through "__qbx.control");
    /// when the copy cannot take the original's place, the original stays and is read as it is.
    bool convertLineEndings(const std::string& filename);
    /// Undoes the escapes of the extra JVM switches in place: a backslash goes when the
    /// character after it is not a file-name character.
    void removeExtraBackSlashes(std::string& switches);
    /// false for the nine characters that cannot appear in a file name (" * / : < > ? \ |).
    static bool isfilenameChar(char c);
    /// Slashes become backslashes, "\\" becomes "\" and "\:" becomes ":" (in place).
    static void normalizeInstallDir(std::string& dir);

private:
    /// Puts "__qbx.control" in the place of filename; on failure the original is kept.
    void replaceControlFile(const std::string& filename);

    platform::WindowHandle hwnd = nullptr;
};
