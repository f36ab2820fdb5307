// The least a Cocoa application like the installer does before its first frame, to time the
// installer's start against: once launched it opens one window of the wizard's size, centred as the
// wizard is, and paints one frame, a fill and one line of text, then waits to be ended. It has no
// bundle, icon or menu.
#import <AppKit/AppKit.h>

@interface BareView : NSView
@end

@implementation BareView

- (BOOL)isFlipped
{
    return YES;
}

- (void)drawRect:(NSRect)dirty
{
    (void)dirty;
    // The colour of the wizard's button bar, which the benchmark waits for in both programs.
    [[NSColor colorWithDeviceRed:70.0 / 255.0 green:70.0 / 255.0 blue:70.0 / 255.0 alpha:1.0] setFill];
    NSRectFill([self bounds]);
    NSDictionary* attributes = [NSDictionary
        dictionaryWithObjectsAndKeys:[NSFont fontWithName:@"Verdana" size:12.0], NSFontAttributeName,
                                     [NSColor whiteColor], NSForegroundColorAttributeName, nil];
    [@"Glaive for After Effects" drawInRect:NSMakeRect(20, 20, 480, 40) withAttributes:attributes];
}

@end

// Opens the window once the application has finished launching, where the installer builds its wizard.
@interface BareDelegate : NSObject
@end

@implementation BareDelegate

- (void)applicationDidFinishLaunching:(NSNotification*)notification
{
    (void)notification;
    const NSRect content = NSMakeRect(0, 0, 500, 360);
    NSWindow* window = [[NSWindow alloc] initWithContentRect:content
                                                   styleMask:NSWindowStyleMaskTitled | NSWindowStyleMaskClosable
                                                     backing:NSBackingStoreBuffered
                                                       defer:NO];
    [window setTitle:@"Bare launch"];
    [window setContentView:[[[BareView alloc] initWithFrame:content] autorelease]];
    [window center];
    // The window stays until the program is ended.
    [window makeKeyAndOrderFront:nil];
}

@end

int main()
{
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    [NSApplication sharedApplication];
    BareDelegate* delegate = [[BareDelegate alloc] init];
    [NSApp setDelegate:delegate];
    [NSApp run];
    [delegate release];
    [pool release];
    return 0;
}
