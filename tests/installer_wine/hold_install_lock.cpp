// Holds the installers' machine-wide lock, like an installer in the middle of its run:
//   hold_install_lock.exe <release marker>
// prints "holding" once the lock is taken, and gives it back when the marker file appears (at most
// after ten minutes). Exits 1 when the lock is not free.
#include "installer/install_lock.h"

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    installer::install_lock lock;
    if (!lock.try_take())
        return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    for (int waited = 0; waited < 6000 && GetFileAttributesW(argv[1]) == INVALID_FILE_ATTRIBUTES; ++waited)
        Sleep(100);
    return 0;
}
