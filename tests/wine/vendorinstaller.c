/* vendorinstaller.exe: a JVM vendor's installer, for end-to-end runs under Wine. Records its
 * current directory and its raw command line in the file QBX_VENDOR_LOG names, lays out a JVM
 * home at QBX_VENDOR_HOME (elsewhere, as real installers do; its parent must exist) whose
 * bin\java.exe and bin\javaw.exe are copies of QBX_EXPANDER_JAVA (the test java.exe), registers
 * it under the runtime's 17.0 key and ends with exit code 7 (only traced by the launcher);
 * 1 when something fails. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(void)
{
    const char* log = getenv("QBX_VENDOR_LOG");
    const char* home = getenv("QBX_VENDOR_HOME");
    const char* java = getenv("QBX_EXPANDER_JAVA");
    if (log == NULL || home == NULL || java == NULL)
        return 1;
    char dir[MAX_PATH];
    GetCurrentDirectoryA(sizeof dir, dir);
    FILE* out = fopen(log, "wb");
    if (out == NULL)
        return 1;
    fprintf(out, "%s\n[%s]\n", dir, GetCommandLineA());
    fclose(out);

    char bin[MAX_PATH];
    snprintf(bin, sizeof bin, "%s\\bin", home);
    CreateDirectoryA(home, NULL);
    CreateDirectoryA(bin, NULL);
    const char* names[] = {"java.exe", "javaw.exe"};
    for (int i = 0; i < 2; ++i) {
        char target[MAX_PATH];
        snprintf(target, sizeof target, "%s\\%s", bin, names[i]);
        if (!CopyFileA(java, target, FALSE))
            return 1;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0", 0, NULL, 0,
                        KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return 1;
    RegSetValueExA(key, "JavaHome", 0, REG_SZ, (const BYTE*)home, (DWORD)strlen(home) + 1);
    RegSetValueExA(key, "MicroVersion", 0, REG_SZ, (const BYTE*)"15", 3);
    RegCloseKey(key);
    return 7;
}
