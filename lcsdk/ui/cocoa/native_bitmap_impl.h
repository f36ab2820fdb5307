#pragma once

#include "lcsdk/ui/cocoa/owned.h"
#include "lcsdk/ui/native_bitmap.h"

#import <AppKit/AppKit.h>

namespace lcsdk::ui {

// A decoded image: Cocoa draws it into any view directly, so there are no per-drawer copies.
struct native_bitmap::impl {
    cocoa::owned<NSImage> image;
    // The image's first representation (the image keeps it alive), and its size in points.
    NSImageRep* representation = nil;
    int width = 0;
    int height = 0;
};

} // namespace lcsdk::ui
