// The installer's path rules, for what Wine cannot show by failing:
//   path_rules.exe [/folder] [<path>...]
// prints this program's own path as the installer reads it (or "none"), then, one line each, the
// form in which the installer opens each path given, or with /folder the form in which it creates
// each as a folder (Wine opens and creates long paths in any form).
#include "installer/win/elevation.h"
#include "installer/win/long_path.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    const auto self = installer::win::executable_path();
    std::printf("%ls\n", self ? self->c_str() : L"none");
    const bool folders = argc > 1 && std::wcscmp(argv[1], L"/folder") == 0;
    for (int i = folders ? 2 : 1; i < argc; ++i) {
        const lcsdk::filesystem::file_path given(argv[i]);
        const auto form = folders ? installer::win::creatable_folder_path(given) : installer::win::openable_path(given);
        std::printf("%ls\n", form.c_str());
    }
    return 0;
}
