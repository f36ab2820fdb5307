// libFuzzer entry for the markup parser and the attribute look-up (clang only, not run by ctest):
//   cmake -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DLCSDK_BUILD_FUZZERS=ON
//   cmake --build build/fuzz --target markup_fuzzer && build/fuzz/tests/markup_fuzzer -max_total_time=60
#include "markup_fuzz_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string problem =
        lcsdk::testing::check_markup_properties({reinterpret_cast<const char*>(data), size});
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
