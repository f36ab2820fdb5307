// The widget gallery on the Cocoa layer, for looking at the widgets and for the GNUstep tests that
// drive them with real input:
//   widget_gallery [--log <file>]
// The exit code is 40 plus the modal result: closing the window gives 40, Escape gives 42.
#include "cocoa_application.h"
#include "event_log.h"
#include "gallery_window.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const char* log_path = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--log")
            log_path = argv[i + 1];
    }
    examples::event_log log(log_path ? std::fopen(log_path, "w") : nullptr);
    const int result = examples::run_cocoa_application([&] {
        widget_gallery::gallery_window gallery(log);
        return gallery.run();
    });
    log.line("exit " + std::to_string(40 + result));
    return 40 + result;
}
