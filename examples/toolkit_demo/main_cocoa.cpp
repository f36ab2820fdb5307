// The toolkit demo on the Cocoa layer, for looking at it and for the GNUstep tests that drive it
// with real input:
//   toolkit_demo [--log <file>] [--at <x>,<y>] [--size <w>x<h>] [--timer <ms>]
// The exit code is 40 plus the modal result: closing the window gives 40, Escape gives 42.
#include "cocoa_application.h"
#include "demo_arguments.h"
#include "demo_window.h"
#include "event_log.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    const toolkit_demo::demo_arguments parsed = toolkit_demo::parse_demo_arguments(words);
    examples::event_log log(parsed.log_word < words.size() ? std::fopen(words[parsed.log_word].c_str(), "w") : nullptr);
    const int result = examples::run_cocoa_application([&] {
        toolkit_demo::demo_window demo(log, parsed.options);
        return demo.run();
    });
    log.line("exit " + std::to_string(40 + result));
    return 40 + result;
}
