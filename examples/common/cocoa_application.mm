#include "cocoa_application.h"

#include "lcsdk/ui/cocoa/autorelease_pool.h"

#import <AppKit/AppKit.h>

namespace examples {

int run_cocoa_application(const std::function<int()>& body)
{
    const lcsdk::ui::cocoa::autorelease_pool pool;
    [NSApplication sharedApplication];
    [NSApp finishLaunching];
    [NSApp activateIgnoringOtherApps:YES];
    return body();
}

} // namespace examples
