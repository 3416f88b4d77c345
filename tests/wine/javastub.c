/* java-stub.exe: a Windows java.exe for tests under Wine that runs the host's Linux JVM.
 *
 * _spawnv of a Linux program from a Windows one does not wait under Wine, so a test JVM
 * directory holds this program as bin\java.exe and bin\javaw.exe instead. It starts the JVM
 * named by QBX_HOST_JAVA (default /usr/bin/java) through ntdll's __wine_unix_spawnvp, waits
 * for it and exits with its status. Windows paths among the arguments (and ';'-separated class
 * paths) are turned into Unix form. The JVM runs in the caller's current directory and sees the
 * caller's CLASSPATH (or none), which a Linux child would not otherwise inherit. Every text is
 * taken in UTF-16 and handed on in UTF-8, with a UTF-8 locale for the JVM, so that a path in any
 * script reaches it whole. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef NTSTATUS(CDECL* UnixSpawnvp)(char* const argv[], int wait);
typedef char*(CDECL* UnixFileName)(const WCHAR* dosName);

static UnixFileName unixFileName;

static char* copyText(const char* text)
{
    char* copy = malloc(strlen(text) + 1);
    if (copy == NULL) {
        fputs("java-stub: out of memory\n", stderr);
        exit(1);
    }
    strcpy(copy, text);
    return copy;
}

/* The wide text in UTF-8 (the form of every text here). */
static char* utf8(const WCHAR* wide)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, NULL, 0, NULL, NULL);
    char* text = size > 0 ? malloc((size_t)size) : NULL;
    if (text == NULL || WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, size, NULL, NULL) != size) {
        fputs("java-stub: cannot convert a text\n", stderr);
        exit(1);
    }
    return text;
}

/* "X:\..." or "X:/...": an absolute Windows path. */
static int isWindowsPath(const char* text)
{
    return ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) && text[1] == ':' &&
           (text[2] == '\\' || text[2] == '/');
}

/* The Unix form of an absolute Windows path; any other text is returned unchanged. */
static char* unixPath(const char* text)
{
    if (!isWindowsPath(text))
        return copyText(text);
    if (unixFileName != NULL) {
        WCHAR wide[MAX_PATH * 4];
        if (MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, sizeof wide / sizeof wide[0]) > 0) {
            char* found = unixFileName(wide);
            if (found != NULL) {
                char* result = copyText(found);
                HeapFree(GetProcessHeap(), 0, found);
                return result;
            }
        }
    }
    /* Drive Z: is the Unix root in every Wine prefix. */
    if (text[0] == 'Z' || text[0] == 'z') {
        char* result = copyText(text + 2);
        for (char* c = result; *c; ++c)
            if (*c == '\\')
                *c = '/';
        return result;
    }
    return copyText(text);
}

/* A class path with ';' between entries as one with ':' between Unix entries. */
static char* unixClassPath(const char* text)
{
    size_t capacity = 1;
    char* work = copyText(text);
    char* result = copyText("");
    char* rest = work;
    int firstEntry = 1;
    for (;;) {
        char* end = strchr(rest, ';');
        if (end != NULL)
            *end = '\0';
        char* entry = unixPath(rest);
        capacity += strlen(entry) + 1;
        result = realloc(result, capacity);
        if (result == NULL) {
            fputs("java-stub: out of memory\n", stderr);
            exit(1);
        }
        if (!firstEntry)
            strcat(result, ":");
        strcat(result, entry);
        free(entry);
        firstEntry = 0;
        if (end == NULL)
            break;
        rest = end + 1;
    }
    free(work);
    return result;
}

/* true when some ';'-separated entry of the text is an absolute Windows path. */
static int holdsWindowsPathList(const char* text)
{
    if (strchr(text, ';') == NULL)
        return 0;
    if (isWindowsPath(text))
        return 1;
    for (const char* c = text; *c; ++c)
        if (*c == ';' && isWindowsPath(c + 1))
            return 1;
    return 0;
}

static char* convertArgument(const char* text, int isClassPath)
{
    if (isClassPath || holdsWindowsPathList(text))
        return unixClassPath(text);
    /* -Dname=value with a path as the value. */
    const char* equals = strchr(text, '=');
    if (text[0] == '-' && equals != NULL && (isWindowsPath(equals + 1) || holdsWindowsPathList(equals + 1))) {
        char* value = convertArgument(equals + 1, 0);
        size_t nameLength = (size_t)(equals + 1 - text);
        char* result = malloc(nameLength + strlen(value) + 1);
        if (result == NULL)
            exit(1);
        memcpy(result, text, nameLength);
        strcpy(result + nameLength, value);
        free(value);
        return result;
    }
    return unixPath(text);
}

static int isClassPathSwitch(const char* text)
{
    return strcmp(text, "-cp") == 0 || strcmp(text, "-classpath") == 0 || strcmp(text, "--class-path") == 0;
}

static double unixSeconds(void)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG ticks = ((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime;
    return (double)(ticks - 116444736000000000ULL) / 1e7;
}

int wmain(int argc, WCHAR** wideArgv)
{
    char** argv = calloc((size_t)argc + 1, sizeof(char*));
    if (argv == NULL)
        return 1;
    for (int i = 0; i < argc; ++i)
        argv[i] = utf8(wideArgv[i]);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    UnixSpawnvp spawnvp = ntdll ? (UnixSpawnvp)(void*)GetProcAddress(ntdll, "__wine_unix_spawnvp") : NULL;
    if (spawnvp == NULL) {
        fputs("java-stub: not running under Wine\n", stderr);
        return 1;
    }
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    unixFileName = kernel ? (UnixFileName)(void*)GetProcAddress(kernel, "wine_get_unix_file_name") : NULL;

    const char* java = getenv("QBX_HOST_JAVA");
    if (java == NULL || java[0] == '\0')
        java = "/usr/bin/java";

    /* env, -C dir, CLASSPATH, the locale, java, the arguments, null. */
    char** child = calloc((size_t)argc + 9, sizeof(char*));
    if (child == NULL)
        return 1;
    int count = 0;
    child[count++] = "/usr/bin/env";
    WCHAR windowsCwd[MAX_PATH * 4];
    DWORD length = GetCurrentDirectoryW(sizeof windowsCwd / sizeof windowsCwd[0], windowsCwd);
    if (length > 0 && length < sizeof windowsCwd / sizeof windowsCwd[0]) {
        child[count++] = "-C";
        child[count++] = unixPath(utf8(windowsCwd));
    }
    const WCHAR* wideClassPath = _wgetenv(L"CLASSPATH");
    const char* classPath = wideClassPath != NULL ? utf8(wideClassPath) : NULL;
    if (classPath != NULL && classPath[0] != '\0') {
        char* converted = unixClassPath(classPath);
        char* assignment = malloc(strlen(converted) + sizeof "CLASSPATH=");
        if (assignment == NULL)
            return 1;
        strcpy(assignment, "CLASSPATH=");
        strcat(assignment, converted);
        free(converted);
        child[count++] = assignment;
    } else {
        child[count++] = "-u";
        child[count++] = "CLASSPATH";
    }
    /* The JVM decodes its arguments and names its files by the locale: UTF-8, as they are. */
    child[count++] = "LC_ALL=C.UTF-8";
    child[count++] = copyText(java);
    for (int i = 1; i < argc; ++i)
        child[count++] = convertArgument(argv[i], i > 1 && isClassPathSwitch(argv[i - 1]));
    child[count] = NULL;

    fflush(stdout);
    fflush(stderr);
    double started = unixSeconds();
    int status = (int)spawnvp(child, 1);
    /* For the overhead benchmark: how long the JVM ran, as "end start" in Unix seconds. */
    const char* times = getenv("QBX_JVM_TIMES");
    if (times != NULL && times[0] != '\0') {
        FILE* out = fopen(times, "a");
        if (out != NULL) {
            fprintf(out, "%.6f %.6f\n", unixSeconds(), started);
            fclose(out);
        }
    }
    return status;
}
