// libFuzzer target: the vendor installer's command line of the control file. Splitting it must
// give back every piece exactly: joined again with the separator, they are the line as written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "provision/runjvminstaller.h"
#include "testing/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    InstallerCommand command = splitInstallerCommand(line);
    fuzzing::check(!command.args.empty());
    // Only a single empty piece after the program is no argument.
    fuzzing::check(command.argumentCount + 1 == command.args.size() ||
                   (command.argumentCount == 0 && command.args.size() == 2 && command.args[1].empty()));
    std::string joined = command.program;
    for (std::size_t i = 1; i < command.args.size(); ++i)
        joined += std::string(ArgSeparator) + command.args[i];
    fuzzing::check(joined == line);
    return 0;
}
