// Holds a file open without sharing, like a running host that has loaded its plug-in:
//   hold_file.exe <file> <release marker>
// prints "holding" once the file is open, and closes it when the marker file appears (at most
// after ten minutes). Exits 1 when the file cannot be opened.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    for (int waited = 0; waited < 6000 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++waited)
        Sleep(100);
    CloseHandle(file);
    return 0;
}
