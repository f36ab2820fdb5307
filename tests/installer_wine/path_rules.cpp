// The installer's path rules, for what Wine cannot show by failing:  path_rules.exe [<path>...]
// prints this program's own path as the installer reads it (or "none"), then, one line each, the
// form in which the installer opens each path given (Wine opens long paths in any form).
#include "installer/win/elevation.h"
#include "installer/win/long_path.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    const auto self = installer::win::executable_path();
    std::printf("%ls\n", self ? self->c_str() : L"none");
    for (int i = 1; i < argc; ++i)
        std::printf("%ls\n", installer::win::openable_path(lcsdk::filesystem::file_path(argv[i])).c_str());
    return 0;
}
