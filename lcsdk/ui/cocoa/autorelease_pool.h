#pragma once

#import <Foundation/Foundation.h>

// Public to Cocoa code beside the layer (the macOS installer, the examples): Cocoa leaves
// autoreleased objects to the innermost pool, and code outside an event loop needs its own.
namespace lcsdk::ui::cocoa {

// The autoreleased objects made while it lives are released when it goes.
class autorelease_pool {
public:
    autorelease_pool() : pool_([[NSAutoreleasePool alloc] init]) {}
    ~autorelease_pool() { [pool_ drain]; }
    autorelease_pool(const autorelease_pool&) = delete;
    autorelease_pool& operator=(const autorelease_pool&) = delete;

private:
    NSAutoreleasePool* pool_;
};

} // namespace lcsdk::ui::cocoa
