// libFuzzer target: any text as the launcher's own command line and as the vendor installer's
// command of the control file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/cmdtokens.h"
#include "launcher/wizardargs.h"
#include "platform/posix/cmdline.h"
#include "provision/runjvminstaller.h"
#include "testing/fuzzinput.h"

namespace {

using fuzzing::check;

// The switches the window sees and the worker sees agree, and the details reach the wizard as
// one argument of its command line.
void launcherCommandLine(const std::string& commandLine)
{
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
    if ((arguments.quiet || arguments.properties) && !arguments.details.empty()) {
        // Joined with blanks as the runtime does, then split as the child's runtime does: the
        // details come back whole unless they carry quotes of their writer's.
        std::string joined;
        for (const std::string& argument : wizardArguments(command))
            joined += (joined.empty() ? "" : " ") + argument;
        std::vector<std::string> argv = platform::windowsArgv(joined);
        check(argv.size() >= 2);
        if (arguments.details.find('"') == std::string::npos)
            check(argv.back() == arguments.details);
    }
}

// Splitting gives back every piece exactly: joined again with the separator, they are the line.
void vendorCommand(const std::string& line)
{
    InstallerCommand command = splitInstallerCommand(line);
    check(!command.args.empty());
    // Only a single empty piece after the program is no argument.
    check(command.argumentCount + 1 == command.args.size() ||
          (command.argumentCount == 0 && command.args.size() == 2 && command.args[1].empty()));
    std::string joined = command.program;
    for (std::size_t i = 1; i < command.args.size(); ++i)
        joined += std::string(ArgSeparator) + command.args[i];
    check(joined == line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    launcherCommandLine(text);
    vendorCommand(text);
    return 0;
}
