#include "cocoa_application.h"

#import <AppKit/AppKit.h>

namespace examples {

namespace {

class autorelease_pool {
public:
    autorelease_pool() : pool_([[NSAutoreleasePool alloc] init]) {}
    ~autorelease_pool() { [pool_ drain]; }
    autorelease_pool(const autorelease_pool&) = delete;
    autorelease_pool& operator=(const autorelease_pool&) = delete;

private:
    NSAutoreleasePool* pool_;
};

} // namespace

int run_cocoa_application(const std::function<int()>& body)
{
    const autorelease_pool pool;
    [NSApplication sharedApplication];
    [NSApp finishLaunching];
    [NSApp activateIgnoringOtherApps:YES];
    return body();
}

} // namespace examples
