/* java-stub.exe: a Windows java.exe for tests under Wine that runs the host's Linux JVM.
 *
 * _spawnv of a Linux program from a Windows one does not wait under Wine, so a test JVM
 * directory holds this program as bin\java.exe and bin\javaw.exe instead. It starts the JVM
 * named by QBX_HOST_JAVA (default /usr/bin/java) through ntdll's __wine_unix_spawnvp in the
 * caller's current directory, without the host's CLASSPATH (the launcher clears the caller's),
 * waits for it and exits with its status. Absolute Windows paths among the arguments are turned
 * into Unix form, the ';' between the entries of the class path after -cp into ':'. Every text is
 * taken in UTF-16 and handed on in UTF-8, with a UTF-8 locale for the JVM, so that a path in any
 * script reaches it whole. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef NTSTATUS(CDECL* UnixSpawnvp)(char* const argv[], int wait);
typedef char*(CDECL* UnixFileName)(const WCHAR* dosName);

static UnixFileName unixFileName;

/* The text in UTF-8; an absolute Windows path ("X:\..." or "X:/...") in Unix form. */
static char* unixForm(const WCHAR* text)
{
    int drive = ((text[0] | 0x20) >= 'a' && (text[0] | 0x20) <= 'z') && text[1] == ':';
    char* unix = drive && (text[2] == '\\' || text[2] == '/') ? unixFileName(text) : NULL;
    if (unix != NULL)
        return unix;
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* utf8 = malloc(size > 0 ? (size_t)size : 1);
    if (utf8 == NULL)
        exit(1);
    utf8[0] = '\0';
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, size, NULL, NULL);
    return utf8;
}

static double unixSeconds(void)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG ticks = ((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime;
    return (double)(ticks - 116444736000000000ULL) / 1e7;
}

int wmain(int argc, WCHAR** argv)
{
    UnixSpawnvp spawnvp = (UnixSpawnvp)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp");
    unixFileName = (UnixFileName)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (spawnvp == NULL || unixFileName == NULL) {
        fputs("java-stub: not running under Wine\n", stderr);
        return 1;
    }
    const char* java = getenv("QBX_HOST_JAVA");
    WCHAR cwd[MAX_PATH * 4];
    DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, cwd);
    if (length == 0 || length >= MAX_PATH * 4)
        return 1;
    /* env -C dir -u CLASSPATH LC_ALL=C.UTF-8 java, the arguments, null. The JVM decodes its
     * arguments and names its files by the locale: UTF-8, as they are. */
    char** child = calloc((size_t)argc + 7, sizeof(char*));
    if (child == NULL)
        return 1;
    char* start[] = {"/usr/bin/env", "-C", unixForm(cwd), "-u", "CLASSPATH", "LC_ALL=C.UTF-8",
                     (char*)(java != NULL && java[0] != '\0' ? java : "/usr/bin/java")};
    memcpy(child, start, sizeof start);
    for (int i = 1; i < argc; ++i) {
        char* arg = child[6 + i] = unixForm(argv[i]);
        /* A class path of relative entries: ':' between them instead of ';'. */
        while (i > 1 && wcscmp(argv[i - 1], L"-cp") == 0 && (arg = strchr(arg, ';')) != NULL)
            *arg = ':';
    }

    fflush(stdout);
    fflush(stderr);
    double started = unixSeconds();
    int status = (int)spawnvp(child, 1);
    /* For the overhead benchmark: how long the JVM ran, as "end start" in Unix seconds. */
    const char* times = getenv("QBX_JVM_TIMES");
    FILE* out = times != NULL && times[0] != '\0' ? fopen(times, "a") : NULL;
    if (out != NULL) {
        fprintf(out, "%.6f %.6f\n", unixSeconds(), started);
        fclose(out);
    }
    return status;
}
