#import "installer/mac/installer_app_delegate.h"

#include "installer/run_installer_ui.h"

@implementation InstallerAppDelegate

- (void)applicationDidFinishLaunching:(NSNotification*)notification
{
    (void)notification;
    // Builds the wizard, runs it modally until Finish, a confirmed Cancel or its close button, and
    // destroys it (waiting for a run that still goes on).
    installer::run_installer_ui();
    // The wizard's window is released, not closed, so nothing else would end the application.
    [NSApp terminate:self];
}

// The sender is typed `id`, as GNUstep declares it; AppKit's NSApplication* converts to it.
- (BOOL)applicationShouldTerminateAfterLastWindowClosed:(id)sender
{
    (void)sender;
    return YES;
}

- (NSApplicationTerminateReply)applicationShouldTerminate:(NSApplication*)sender
{
    (void)sender;
    return NSTerminateNow;
}

@end

@implementation InstallerApplication

- (void)finishLaunching
{
    // The application keeps its delegate for the whole process; it is never released.
    if ([self delegate] == nil)
        [self setDelegate:[[InstallerAppDelegate alloc] init]];
    [super finishLaunching];
}

@end
