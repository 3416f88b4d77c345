/* showcmdline.exe: writes its own raw command line to the file named by QBX_CMDLINE_OUT
 * (1 or 2 when it cannot), so a test can see exactly what a starter passed: in UTF-8, every
 * character as the starter gave it. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(void)
{
    const WCHAR* out = _wgetenv(L"QBX_CMDLINE_OUT");
    if (out == NULL)
        return 1;
    FILE* file = _wfopen(out, L"wb");
    const WCHAR* line = GetCommandLineW();
    int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, NULL, 0, NULL, NULL);
    char* text = size > 0 ? malloc((size_t)size) : NULL;
    if (file == NULL || text == NULL || WideCharToMultiByte(CP_UTF8, 0, line, -1, text, size, NULL, NULL) != size)
        return 2;
    fputs(text, file);
    fclose(file);
    return 0;
}
