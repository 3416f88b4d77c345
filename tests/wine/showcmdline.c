/* showcmdline.exe: writes its own raw command line to the file named by QBX_CMDLINE_OUT
 * (1 or 2 when it cannot), so a test can see exactly what a starter passed. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(void)
{
    const char* out = getenv("QBX_CMDLINE_OUT");
    if (out == NULL)
        return 1;
    FILE* file = fopen(out, "wb");
    if (file == NULL)
        return 2;
    fputs(GetCommandLineA(), file);
    fclose(file);
    return 0;
}
