// The installer's path rules, for what Wine cannot show by failing:  path_rules.exe
// prints this program's own path as the installer reads it (or "none").
#include "installer/win/elevation.h"

#include <cstdio>

int wmain()
{
    const auto self = installer::win::executable_path();
    std::printf("%ls\n", self ? self->c_str() : L"none");
    return 0;
}
