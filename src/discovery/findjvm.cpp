#include "discovery/findjvm.h"

#include "discovery/jvmwin.h"

bool FindJvm::isJvmInstalled(const std::string& required, const std::string& minimum, const std::string& maximum,
                             const std::string& jvmType, std::string& executableName, std::string& executablePath)
{
    const std::string givenName = executableName;
    JvmWin jvmWin;
    bool found = jvmWin.searchWindowsForJvm(required, minimum, maximum, jvmType, executableName, executablePath);
    if (!found)
        executableName = givenName;
    return found;
}
