#pragma once

#import <AppKit/AppKit.h>

// The application's delegate: the whole installer runs inside applicationDidFinishLaunching:.
@interface InstallerAppDelegate : NSObject <NSApplicationDelegate>
@end

// The application class the bundle names as its principal class; it connects the delegate, as a
// main nib file would.
@interface InstallerApplication : NSApplication
@end
