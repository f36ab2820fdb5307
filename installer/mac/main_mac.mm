// Entry of lcinstaller-mac. With --silent it installs unattended without starting the application:
// no connection to the window server, so it runs over SSH and with no display at all. Otherwise the
// Cocoa application, whose principal class connects the delegate that runs the wizard.
#import <AppKit/AppKit.h>

#include "installer/command_line.h"
#include "installer/exit_codes.h"
#include "installer/mac/installer_app_delegate.h"
#include "installer/unattended.h"
#include "lcsdk/ui/cocoa/autorelease_pool.h"

#include <algorithm>
#include <string>
#include <vector>

int main(int argc, const char** argv)
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const installer::command_options options = installer::read_command_line(arguments, installer::option_syntax::mac);
    // Lives until the process ends: the application never returns from its main function.
    static installer::install_log log;
    installer::start_log(log, options, "lcinstaller-mac", arguments);
    if (!options.error.empty())
        return installer::refuse_arguments(options, log);
    if (options.unattended) {
        const lcsdk::ui::cocoa::autorelease_pool pool;
        installer::mac::tell_cocoa_about_threads();
        // A POSIX exit status keeps the low 8 bits of the code (exit_codes.h).
        return installer::run_unattended(options, installer::running_elevated(), log);
    }
    installer::mac::set_wizard_log(log.is_open() ? &log : nullptr);
    return NSApplicationMain(argc, argv);
}
