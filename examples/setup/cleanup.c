/* cleanup.exe: the example payload's clean-up program for Windows. The launcher starts it from
 * the working directory, without waiting, with that directory as its argument. A program cannot
 * delete the folder it runs from, so it first starts a copy of itself from the temporary folder;
 * the copy waits until the launcher has let go of the working directory, removes it (links are
 * removed, never followed), and has itself deleted at the next restart. */
#include <windows.h>
#include <wchar.h>

static int removeTree(const wchar_t* dir)
{
    wchar_t pattern[MAX_PATH * 2];
    WIN32_FIND_DATAW entry;
    if (swprintf(pattern, MAX_PATH * 2, L"%ls\\*", dir) < 0)
        return 0;
    HANDLE find = FindFirstFileW(pattern, &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (wcscmp(entry.cFileName, L".") == 0 || wcscmp(entry.cFileName, L"..") == 0)
                continue;
            wchar_t path[MAX_PATH * 2];
            swprintf(path, MAX_PATH * 2, L"%ls\\%ls", dir, entry.cFileName);
            SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL | (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY));
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(path) : DeleteFileW(path);
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    return RemoveDirectoryW(dir);
}

/* The argument: the rest of the command line after the program's name, without quotes around it. */
static void argument(wchar_t* dir, size_t size)
{
    const wchar_t* line = GetCommandLineW();
    if (*line == L'"') {
        line = wcschr(line + 1, L'"');
        line = line ? line + 1 : L"";
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    size_t length = wcslen(line);
    while (length > 0 && (line[length - 1] == L' ' || line[length - 1] == L'\t'))
        --length;
    if (length >= 2 && line[0] == L'"' && line[length - 1] == L'"') {
        ++line;
        length -= 2;
    }
    if (length >= size)
        length = 0;
    wmemcpy(dir, line, length);
    dir[length] = 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance, (void)previous, (void)commandLine, (void)show;
    wchar_t dir[MAX_PATH], full[MAX_PATH], self[MAX_PATH], temp[MAX_PATH];
    argument(dir, MAX_PATH);
    /* Only a full path below a drive's root: never the root itself, nothing relative. */
    if (GetFullPathNameW(dir, MAX_PATH, full, NULL) == 0 || wcslen(full) < 4 || full[1] != L':' || full[2] != L'\\')
        return 1;
    if (GetModuleFileNameW(NULL, self, MAX_PATH) == 0 || GetTempPathW(MAX_PATH, temp) == 0)
        return 1;
    size_t length = wcslen(full);
    if (_wcsnicmp(self, full, length) == 0 && self[length] == L'\\') {
        /* Running inside the directory: hand over to a copy in the temporary folder. */
        wchar_t copy[MAX_PATH], line[MAX_PATH * 3];
        swprintf(copy, MAX_PATH, L"%lsqbxcleanup-%lu.exe", temp, GetCurrentProcessId());
        if (!CopyFileW(self, copy, FALSE))
            return 1;
        swprintf(line, MAX_PATH * 3, L"\"%ls\" \"%ls\"", copy, full);
        STARTUPINFOW startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        if (!CreateProcessW(copy, line, NULL, NULL, FALSE, 0, NULL, temp, &startup, &process))
            return 1;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return 0;
    }
    /* The launcher and our first copy end within moments; give them a minute. */
    int removed = 0;
    for (int attempt = 0; attempt < 120 && !removed; ++attempt) {
        Sleep(500);
        removed = removeTree(full) || GetFileAttributesW(full) == INVALID_FILE_ATTRIBUTES;
    }
    MoveFileExW(self, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    return removed ? 0 : 1;
}
