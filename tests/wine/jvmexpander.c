/* jvmexpander.exe: a JVM's installer, for tests under Wine. It lays out a JVM home whose
 * bin\java.exe and bin\javaw.exe are copies of the program QBX_EXPANDER_JAVA names (the test
 * java.exe), and ends with exit code 1 when something fails.
 * - A payload's self-expanding JVM: started with no arguments (exit code 2 otherwise) in the
 *   target directory, the home is QBX_EXPANDER_HOME there (a subdirectory, optional).
 * - A vendor's installer, when QBX_VENDOR_HOME names the home (elsewhere, as real installers do;
 *   its parent must exist): records its current directory and its raw command line in the file
 *   QBX_VENDOR_LOG names, registers the home under the runtime's 17.0 key and ends with exit
 *   code 7 (only traced by the launcher). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    (void)argv;
    const char* java = getenv("QBX_EXPANDER_JAVA");
    const char* vendorHome = getenv("QBX_VENDOR_HOME");
    const char* home = vendorHome != NULL ? vendorHome : getenv("QBX_EXPANDER_HOME");
    if (java == NULL || (argc != 1 && vendorHome == NULL))
        return 2;
    char bin[MAX_PATH], target[MAX_PATH];
    snprintf(bin, sizeof bin, "%s%sbin", home != NULL ? home : "", home != NULL && home[0] != '\0' ? "\\" : "");
    CreateDirectoryA(home != NULL ? home : ".", NULL);
    CreateDirectoryA(bin, NULL);
    for (int i = 0; i < 2; ++i) {
        snprintf(target, sizeof target, "%s\\%s", bin, i == 0 ? "java.exe" : "javaw.exe");
        if (!CopyFileA(java, target, FALSE))
            return 1;
    }
    if (vendorHome == NULL)
        return 0;

    const char* log = getenv("QBX_VENDOR_LOG");
    FILE* out = log != NULL ? fopen(log, "wb") : NULL;
    HKEY key;
    if (out == NULL || RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0", 0,
                                       NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return 1;
    GetCurrentDirectoryA(sizeof target, target);
    fprintf(out, "%s\n[%s]\n", target, GetCommandLineA());
    fclose(out);
    RegSetValueExA(key, "JavaHome", 0, REG_SZ, (const BYTE*)vendorHome, (DWORD)strlen(vendorHome) + 1);
    RegSetValueExA(key, "MicroVersion", 0, REG_SZ, (const BYTE*)"15", 3);
    RegCloseKey(key);
    return 7;
}
