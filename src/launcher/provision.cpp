// Providing a missing JVM. Expanding a compressed JVM and running a vendor's installer are not
// built yet: every request ends with the texts that tell the user to install the JVM.
#include "launcher/provision.h"

#include "launcher/install.h"

std::string versionDescription(const std::string& required, const std::string& minimum, const std::string& maximum)
{
    if (!required.empty())
        return required;
    if (!maximum.empty())
        return minimum + " - " + maximum;
    return minimum + " or a later version";
}

bool Install::installTheJvm()
{
    std::string description =
        versionDescription(control.jvmRequiredVersion, control.jvmMinVersion, control.jvmMaxVersion);
    errorMessage = "The correct version of the " + control.jvmName + " was not found on your system.";
    errorDetails = "Please install the correct " + control.jvmName + ". You need version " + description +
                   ", x64 memory model. Then restart this installation program.";
    return false;
}
