#include "exec/spawnerror.h"

#include "platform/process.h"

std::string spawnErrorText(int errorNumber)
{
    switch (errorNumber) {
    case platform::SpawnNoEntry: return "File or path is not found";
    case platform::SpawnTooBig: return "Argument list exceeds 1024 bytes";
    case platform::SpawnNotExecutable: return "Specified file is not executable or has invalid executable-file format";
    case platform::SpawnNoMemory: return "Not enough memory is available to execute new process";
    case platform::SpawnInvalid: return "Mode argument is invalid";
    default: return "Unknown error";
    }
}
