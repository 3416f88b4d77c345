/* rawexec.exe: starts a program with an exact, raw command line and returns its exit code.
 *
 * "wine prog.exe ARGS" quotes the arguments again; some tests need a command line byte for
 * byte (a trailing blank, unbalanced quotes). The line comes from the file named by the
 * argument, taken whole (no final newline is added), in UTF-8. */
#include <windows.h>
#include <stdio.h>

/* A command line has at most 32767 characters. */
static char line[4 * 32768];
static WCHAR wideLine[32768];

int main(int argc, char** argv)
{
    FILE* file = argc == 2 ? fopen(argv[1], "rb") : NULL;
    size_t size = file != NULL ? fread(line, 1, sizeof line - 1, file) : 0;
    if (file == NULL || !feof(file)) {
        fputs("usage: rawexec FILE (with the command line, at most 32767 characters)\n", stderr);
        return 125;
    }
    line[size] = '\0';
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line, -1, wideLine, 32768) == 0) {
        fputs("rawexec: the command line is not UTF-8 or too long\n", stderr);
        return 125;
    }
    STARTUPINFOW startup = {.cb = sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, wideLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "rawexec: CreateProcess failed (%lu): %s\n", GetLastError(), line);
        return 126;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    return (int)exitCode;
}
