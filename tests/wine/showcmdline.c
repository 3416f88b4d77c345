/* showcmdline.exe: writes its own raw command line to the file named by QBX_CMDLINE_OUT
 * (1 or 2 when it cannot), so a test can see exactly what a starter passed: in UTF-8, every
 * character as the starter gave it. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static char text[3 * 32768]; /* a command line has at most 32767 characters */

int main(void)
{
    const WCHAR* out = _wgetenv(L"QBX_CMDLINE_OUT");
    FILE* file = out != NULL ? _wfopen(out, L"wb") : NULL;
    if (file == NULL)
        return 1;
    if (WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, text, sizeof text, NULL, NULL) == 0)
        return 2;
    fputs(text, file);
    fclose(file);
    return 0;
}
