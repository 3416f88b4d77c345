/* jvmexpander.exe: a payload's self-expanding JVM, for tests under Wine. Started with no
 * arguments in the target directory, it lays out a JVM there: QBX_EXPANDER_HOME (a subdirectory,
 * optional) with bin\java.exe and bin\javaw.exe, copies of the program QBX_EXPANDER_JAVA names
 * (the test java.exe). Exit code 2 for arguments, 1 when the copy fails. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    (void)argv;
    const char* java = getenv("QBX_EXPANDER_JAVA");
    const char* home = getenv("QBX_EXPANDER_HOME");
    if (argc != 1 || java == NULL)
        return 2;
    char bin[MAX_PATH];
    if (home != NULL && home[0] != '\0') {
        CreateDirectoryA(home, NULL);
        snprintf(bin, sizeof bin, "%s\\bin", home);
    } else {
        snprintf(bin, sizeof bin, "bin");
    }
    CreateDirectoryA(bin, NULL);
    const char* names[] = {"java.exe", "javaw.exe"};
    for (int i = 0; i < 2; ++i) {
        char target[MAX_PATH];
        snprintf(target, sizeof target, "%s\\%s", bin, names[i]);
        if (!CopyFileA(java, target, FALSE))
            return 1;
    }
    return 0;
}
