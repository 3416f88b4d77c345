/* rawexec.exe: starts a program with an exact, raw command line and returns its exit code.
 *
 * "wine prog.exe ARGS" quotes the arguments again; some tests need a command line byte for
 * byte (a trailing blank, unbalanced quotes). The line comes from the file named by the
 * argument, taken whole (no final newline is added), in UTF-8. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char* readWhole(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return NULL;
    size_t capacity = 4096, size = 0, got;
    char* text = malloc(capacity);
    while (text != NULL && (got = fread(text + size, 1, capacity - size - 1, file)) > 0) {
        size += got;
        if (capacity - size - 1 == 0) {
            capacity *= 2;
            text = realloc(text, capacity);
        }
    }
    fclose(file);
    if (text != NULL)
        text[size] = '\0';
    return text;
}

int main(int argc, char** argv)
{
    char* commandLine = argc == 2 ? readWhole(argv[1]) : NULL;
    if (commandLine == NULL) {
        fputs("usage: rawexec FILE (with the command line, read whole)\n", stderr);
        return 125;
    }

    int units = MultiByteToWideChar(CP_UTF8, 0, commandLine, -1, NULL, 0);
    WCHAR* wideLine = units > 0 ? malloc((size_t)units * sizeof(WCHAR)) : NULL;
    if (wideLine == NULL || MultiByteToWideChar(CP_UTF8, 0, commandLine, -1, wideLine, units) != units) {
        fputs("rawexec: the command line is not UTF-8\n", stderr);
        return 125;
    }
    STARTUPINFOW startup;
    PROCESS_INFORMATION process;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessW(NULL, wideLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "rawexec: CreateProcess failed (%lu): %s\n", GetLastError(), commandLine);
        return 126;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    free(commandLine);
    return (int)exitCode;
}
