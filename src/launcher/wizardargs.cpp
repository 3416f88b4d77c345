#include "launcher/wizardargs.h"

#include "exec/quoting.h"
#include "exec/strutil.h"
#include "launcher/cmdtokens.h"

std::vector<std::string> blankWords(const std::string& text)
{
    if (text.empty())
        return {};
    return splitAtBlanks(text);
}

std::vector<std::string> wizardArguments(const WizardCommand& command)
{
    std::vector<std::string> arguments{fileNamePart(command.jvmPath)};
    for (const std::string& word : blankWords(command.jvmExtraParameters))
        arguments.push_back(word);
    arguments.push_back(command.jvmClasspathSwitch);
    arguments.push_back(quoteArgument(command.loaderClasspath));
    std::vector<std::string> parameters = blankWords(command.loaderJavaCommand);
    if (parameters.empty())
        parameters.push_back("");
    arguments.insert(arguments.end(), parameters.begin(), parameters.end());
    if ((command.quiet || command.properties) && !command.details.empty()) {
        arguments.push_back(command.quiet ? QuietSwitch : PropertiesSwitch);
        arguments.push_back(quoteArgument(command.details));
    }
    return arguments;
}
