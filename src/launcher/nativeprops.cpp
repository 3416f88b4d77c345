#include "launcher/nativeprops.h"

#include "exec/strutil.h"
#include "exec/unicode.h"

namespace {

// The value starts right after the key and its separator; no blanks are skipped.
std::string valueAfter(const std::string& line, const std::string& key)
{
    return line.size() > key.size() + 1 ? line.substr(key.size() + 1) : std::string();
}

} // namespace

std::string nativePropertiesText(const std::string& javaHomeDir, bool installed, const std::string& installDir,
                                 bool configureRegistry)
{
    std::string home = javaHomeDir;
    for (char& c : home)
        if (c == '\\')
            c = '/';
    // Java reads the file in ISO 8859-1: other characters go as escapes, which it turns back.
    std::string text = std::string(NativeJvmHomeDir) + "=" + escapeNonAscii(home) + "\n";
    if (installed) {
        text += std::string(NativeJvmInstalled) + "=true\n";
        if (!installDir.empty())
            text += std::string(NativeJvmInstalledInTemp) + (beginsWith(installDir, AppDirVariable) ? "=true\n" : "=false\n");
    } else {
        text += std::string(NativeJvmInstalled) + "=false\n";
        text += std::string(NativeJvmInstalledInTemp) + "=false\n";
    }
    text += std::string(ConfigureRegistryField) + (configureRegistry ? "=true\n" : "=false\n");
    return text;
}

std::string normalizePropertiesLine(const std::string& line)
{
    std::string result;
    for (char c : unescapeUnicode(line)) {
        if (c == '/')
            result += '\\';
        else if (c != '\\')
            result += c;
    }
    return result;
}

std::string applyPropertiesLine(const std::string& line, TempJvmRecord& record)
{
    if (beginsWith(line, NativeJvmHomeDir)) {
        record.jvmHomeDir = valueAfter(line, NativeJvmHomeDir);
        return NativeJvmHomeDir;
    }
    if (beginsWith(line, NativeJvmInstalledInTemp)) {
        record.installedInTemp = valueAfter(line, NativeJvmInstalledInTemp);
        return NativeJvmInstalledInTemp;
    }
    if (beginsWith(line, NativeTempJvmDir)) {
        record.tempJvmDir = valueAfter(line, NativeTempJvmDir);
        return NativeTempJvmDir;
    }
    if (beginsWith(line, ConfigureRegistryField)) {
        std::string value = valueAfter(line, ConfigureRegistryField);
        record.configureRegistry = configureRegistryValue(value);
        return ConfigureRegistryField;
    }
    return "";
}
