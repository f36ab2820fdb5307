// Runs of the Windows engine, timed inside the process (scripts/bench-install.sh runs it under
// Wine; not a test): each run writes the plug-in for one version into the given host folder,
// replacing the one there. Prints the median time of a run in microseconds.
//   install_run <host folder> <runs>
#include "installer/system.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 || std::wcstol(argv[2], nullptr, 10) < 1)
        return 2;
    installer::folder_list plugins = installer::empty_folder_list();
    plugins[installer::CC] = lcsdk::filesystem::file_path(argv[1]);
    installer::System engine;
    std::vector<long long> times;
    for (int run = std::wcstol(argv[2], nullptr, 10); run > 0; --run) {
        const auto start = std::chrono::steady_clock::now();
        engine.install(plugins, installer::empty_folder_list(), 1);
        const auto took = std::chrono::steady_clock::now() - start;
        if (engine.read().status[installer::CC] != installer::status_installed) {
            std::fputs("the plug-in was not installed\n", stderr);
            return 1;
        }
        times.push_back(std::chrono::duration_cast<std::chrono::microseconds>(took).count());
    }
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    std::printf("%lld\n", *middle);
    return 0;
}
