#include "control/controlkey.h"

#include <cstdio>
#include <cstring>

#include "control/getparam.h"
#include "control/linereader.h"
#include "exec/strutil.h"
#include "platform/files.h"

std::string readControlKey(const char* key)
{
    std::FILE* file = platform::openFile(QbxControlFilename, "rt");
    if (!file)
        return std::string();
    const std::size_t keyLength = std::strlen(key);
    std::string line;
    std::string value;
    while (readLine(file, line)) {
        if (beginsWith(line, key))
            value = line.size() > keyLength + 1 ? line.substr(keyLength + 1) : std::string();
    }
    std::fclose(file);
    return value;
}
