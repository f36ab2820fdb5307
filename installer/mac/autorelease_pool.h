#pragma once

#import <Foundation/Foundation.h>

namespace installer::mac {

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

} // namespace installer::mac
