// Linux entry: the command line is the arguments joined by blanks, as Windows hands it over.
#include <string>

#include "launcher/entry.h"

int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return launcherMain(false, commandLine, 1);
}
