// One install run: environment, control file, JVM search or provisioning, wizard, clean-up.
#pragma once

#include <string>

#include "diag/status.h"
#include "diag/trace.h"

class Install : public Trace, public Status {
public:
    /// The whole run; true on success. details is the properties argument of the command line.
    bool install(bool quiet, bool properties, const std::string& details);

    bool quietInstall = false;
    bool propertiesInstall = false;
};
