#include "control/configreg.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "control/getparam.h"
#include "control/linereader.h"
#include "platform/files.h"

namespace {

constexpr const char* NativePropertiesFilename = "native.properties";

bool equalsIgnoringCase(const std::string& text, const char* word)
{
    return std::equal(text.begin(), text.end(), word, word + std::strlen(word), [](unsigned char a, unsigned char b) {
        return std::tolower(a) == std::tolower(b);
    });
}

} // namespace

bool configureRegistryValue(const std::string& value)
{
    return equalsIgnoringCase(value, "true") || equalsIgnoringCase(value, "yes");
}

ConfigureRegistryResult readConfigureRegistry()
{
    ConfigureRegistryResult result;
    std::FILE* file = platform::openFile(QbxControlFilename, "rt");
    if (!file)
        file = platform::openFile(NativePropertiesFilename, "rt");
    if (!file)
        return result;
    result.fileOpened = true;

    std::string line;
    const std::size_t keyLength = std::strlen(ConfigureRegistryField);
    while (readLine(file, line)) {
        if (line.compare(0, keyLength, ConfigureRegistryField) != 0)
            continue;
        // The value follows the key and its one separator character.
        std::string value = line.size() > keyLength + 1 ? line.substr(keyLength + 1) : std::string();
        result.lineFound = true;
        result.line = line;
        result.configure = configureRegistryValue(value);
        break;
    }
    std::fclose(file);
    return result;
}

bool configureWinRegistry(const std::string& callerLabel, const std::string& traceFile)
{
    Trace trace;
    ConfigureRegistryResult result = readConfigureRegistry();
    if (!result.fileOpened)
        trace.traceMessage(traceFile, "unable to open qbx.control file", "defaulting to configure registry");
    if (result.lineFound) {
        trace.traceMessage(traceFile, result.line);
        trace.traceMessage(traceFile, ConfigureRegistryField, result.configure);
    }
    trace.traceMessage(traceFile, callerLabel, result.configure);
    return result.configure;
}
