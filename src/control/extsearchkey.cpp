#include "control/extsearchkey.h"

#include <cstdio>
#include <cstring>

#include "control/getparam.h"
#include "control/linereader.h"
#include "exec/strutil.h"
#include "platform/files.h"

bool extendedJvmSearchValue(const std::string& value)
{
    return !equalsIgnoringCase(value, "false") && !equalsIgnoringCase(value, "no");
}

bool readExtendedJvmSearch()
{
    std::FILE* file = platform::openFile(QbxControlFilename, "rt");
    if (!file)
        return true;
    const std::size_t keyLength = std::strlen(ExtendedJvmSearchField);
    std::string line;
    std::string value;
    while (readLine(file, line)) {
        // The value follows the key and its one separator character.
        if (beginsWith(line, ExtendedJvmSearchField))
            value = line.size() > keyLength + 1 ? line.substr(keyLength + 1) : std::string();
    }
    std::fclose(file);
    return extendedJvmSearchValue(value);
}
