/* Test child of the Windows build: records its arguments in "args.out", ends with exit code 3. */
#include <stdio.h>

int main(int argc, char** argv)
{
    FILE* out = fopen("args.out", "wb");
    if (!out)
        return 1;
    for (int i = 1; i < argc; ++i)
        fprintf(out, "%s\n", argv[i]);
    fclose(out);
    return 3;
}
