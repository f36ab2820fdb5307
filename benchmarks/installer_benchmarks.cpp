#include "installer/system.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One run of the engine that writes the plug-in as one file, for one chosen version, into a
// temporary host folder whose plug-in it replaces each time: everything a wizard's run does apart
// from the wizard, on the neutral build's POSIX file calls.
void install_one_version(benchmark::State& state)
{
    const fs::path root = fs::temp_directory_path() / ("installer_bench_" + std::to_string(::getpid()));
    fs::create_directories(root / "host");
    ::setenv("XDG_DATA_DIRS", (root / "data").c_str(), 1);
    installer::folder_list plugins = installer::empty_folder_list();
    plugins[installer::CC] = lcsdk::filesystem::file_path((root / "host").string());
    installer::System engine;
    for (auto _ : state) {
        engine.install(plugins, installer::empty_folder_list(), 1);
        if (engine.read().status[installer::CC] != installer::status_installed)
            state.SkipWithError("the plug-in was not installed");
    }
    ::unsetenv("XDG_DATA_DIRS");
    fs::remove_all(root);
}
BENCHMARK(install_one_version)->Unit(benchmark::kMicrosecond);

} // namespace
