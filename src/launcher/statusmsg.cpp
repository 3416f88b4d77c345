// Progress messages of the run: traced in the user's language.
#include "launcher/install.h"
#include "locale/catalogue.h"
#include "locale/language.h"

void Install::showStatusMessage(unsigned id)
{
    if (quietInstall || propertiesInstall)
        return;
    std::string language;
    getLanguage(language);
    std::string text = statusMessage(language, id);
    showStatus(text);
    traceMessage(TraceFilename, text);
}
