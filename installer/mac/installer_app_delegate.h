#pragma once

#import <AppKit/AppKit.h>

namespace installer {
class InstallerUI;
class install_log;

namespace mac {
// The log the wizard writes to (null: none); set before the application starts.
void set_wizard_log(install_log* log);
// Tells Cocoa that the program has several threads, before a run's worker thread uses Foundation.
void tell_cocoa_about_threads();
} // namespace mac
} // namespace installer

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
