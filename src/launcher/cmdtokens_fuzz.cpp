// libFuzzer target: any command line. The switches the window sees and the worker sees agree, and
// the details reach the wizard as one argument of its command line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/cmdtokens.h"
#include "launcher/wizardargs.h"
#include "platform/posix/cmdline.h"
#include "testing/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fuzzing::check;
    const std::string commandLine(reinterpret_cast<const char*>(data), size);
    WorkerArguments arguments = parseWorkerArguments(commandLine);
    // The window stays hidden exactly when the worker runs quietly.
    check(isQuietCommandLine(commandLine) == (arguments.quiet || arguments.properties));
    if (!arguments.quiet && !arguments.properties)
        check(arguments.details.empty());

    WizardCommand command;
    command.jvmPath = "C:\\jre\\bin\\javaw.exe";
    command.jvmClasspathSwitch = "-cp";
    command.loaderClasspath = ".;install.jar";
    command.loaderJavaCommand = "Wizard";
    command.quiet = arguments.quiet;
    command.properties = arguments.properties;
    command.details = arguments.details;
    std::vector<std::string> vector = wizardArguments(command);
    if ((arguments.quiet || arguments.properties) && !arguments.details.empty()) {
        // Joined with blanks as the runtime does, then split as the child's runtime does: the
        // details come back whole unless they carry quotes of their writer's.
        std::string joined;
        for (const std::string& argument : vector)
            joined += (joined.empty() ? "" : " ") + argument;
        std::vector<std::string> argv = platform::windowsArgv(joined);
        check(argv.size() >= 2);
        if (arguments.details.find('"') == std::string::npos)
            check(argv.back() == arguments.details);
    }
    return 0;
}
