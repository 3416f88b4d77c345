#include "launcher/install.h"

bool Install::install(bool quiet, bool properties, const std::string&)
{
    traceMessage(TraceFilename, "");
    traceMessage(TraceFilename, "Preparing Java install wizard");
    quietInstall = quiet;
    traceMessage(TraceFilename, "Quite install", quietInstall);
    propertiesInstall = properties;
    traceMessage(TraceFilename, "Properties install", propertiesInstall);
    return false;
}
