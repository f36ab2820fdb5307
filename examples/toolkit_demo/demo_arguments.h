#pragma once

#include "demo_window.h"

#include <cstddef>
#include <string>
#include <vector>

namespace toolkit_demo {

// The demo's command line, read the same way on every platform:
//   [--log <file>] [--at <x>,<y>] [--size <w>x<h>] [--timer <ms>]
// Without --at the window is centred. Words that are not options are skipped.
struct demo_arguments {
    // Index in the words of the log file's path, if one was given; the entry opens it in its own
    // text form.
    std::size_t log_word = npos;
    demo_options options;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
};

// `words` are the program's arguments after its name; only their ASCII options are read.
demo_arguments parse_demo_arguments(const std::vector<std::string>& words);

} // namespace toolkit_demo
