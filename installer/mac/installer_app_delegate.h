#pragma once

#import <AppKit/AppKit.h>

namespace installer {
class InstallerUI;
}

// The application's delegate: the whole installer runs inside applicationDidFinishLaunching:. It is
// also the target of the main menu, whose items work while the wizard's modal loop runs.
@interface InstallerAppDelegate : NSObject <NSApplicationDelegate> {
    // The wizard while its modal loop runs, else null.
    installer::InstallerUI* wizard;
    // Set once the wizard is gone and nothing runs any more: the program may end.
    BOOL wizardEnded;
}
- (void)showAbout:(id)sender;
- (void)hideInstaller:(id)sender;
- (void)quitInstaller:(id)sender;
@end

// The application class the bundle names as its principal class; it connects the delegate, as a
// main nib file would.
@interface InstallerApplication : NSApplication
@end
