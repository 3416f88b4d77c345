#include "launcher/install.h"
#include "security/security.h"

bool Install::addSecurity(bool replace)
{
    Security security;
    security.addSecurity(control.systemSecurityPolicyFilename, control.userSecurityPolicyFilename,
                         control.keystoreFilename, javaHomeDir, homeDirectory, replace);
    return true;
}
