// CGWindowLevelForKey on GNUstep: its own window levels for the kinds of window it has.
#include <CoreGraphics/CoreGraphics.h>

#import <AppKit/AppKit.h>

CGWindowLevel CGWindowLevelForKey(CGWindowLevelKey key)
{
    switch (key) {
    case kCGDesktopWindowLevelKey: return NSDesktopWindowLevel;
    case kCGFloatingWindowLevelKey: return NSFloatingWindowLevel;
    case kCGTornOffMenuWindowLevelKey: return NSTornOffMenuWindowLevel;
    case kCGMainMenuWindowLevelKey: return NSMainMenuWindowLevel;
    case kCGDockWindowLevelKey:
    case kCGStatusWindowLevelKey: return NSStatusWindowLevel;
    case kCGModalPanelWindowLevelKey: return NSModalPanelWindowLevel;
    case kCGPopUpMenuWindowLevelKey: return NSPopUpMenuWindowLevel;
    case kCGScreenSaverWindowLevelKey: return NSScreenSaverWindowLevel;
    default: return NSNormalWindowLevel;
    }
}
