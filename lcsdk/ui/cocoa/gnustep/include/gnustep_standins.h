#pragma once

// Declarations that AppKit has on a Mac and GNUstep lacks; the GNUstep build includes this in every
// Objective-C++ file of the layer, so the layer's own code is written as for a Mac.

#import <AppKit/AppKit.h>

#include "accessibility_standins.h"

@interface NSView (LCTrackingAreas)
- (void)addTrackingArea:(NSTrackingArea*)area;
- (void)removeTrackingArea:(NSTrackingArea*)area;
@end

// AppKit's name since macOS 10.12 for the kind of event an application posts for itself; GNUstep
// keeps only the older name, which macOS has deprecated.
constexpr NSEventType NSEventTypeApplicationDefined = NSApplicationDefined;
