// The prompt of the GNUstep build's Authorization Services, a program of its own as the system's
// agent is on macOS: a small window titled "Authenticate" saying which program wants to make
// changes, with "Cancel" and "OK". Return answers OK; Escape and closing the window answer Cancel.
//   authentication-agent --program <program name> [GNUstep defaults...]
// (A first argument that is not an option would be taken by GNUstep for a file to open.)
// Exit code 0: allowed; 1: cancelled.
#import <AppKit/AppKit.h>

#include <cstring>

namespace {

constexpr int allowed = 0;
constexpr int cancelled = 1;

} // namespace

@interface AgentPrompt : NSObject <NSWindowDelegate>
- (void)allow:(id)sender;
- (void)cancel:(id)sender;
@end

@implementation AgentPrompt

- (void)allow:(id)sender
{
    (void)sender;
    [NSApp stopModalWithCode:allowed];
}

- (void)cancel:(id)sender
{
    (void)sender;
    [NSApp stopModalWithCode:cancelled];
}

- (BOOL)windowShouldClose:(id)sender
{
    (void)sender;
    [NSApp stopModalWithCode:cancelled];
    return NO;
}

@end

namespace {

NSButton* add_button(NSView* content, NSRect frame, NSString* title, NSString* key, id target, SEL action)
{
    NSButton* button = [[[NSButton alloc] initWithFrame:frame] autorelease];
    [button setTitle:title];
    [button setBezelStyle:NSRoundedBezelStyle];
    [button setKeyEquivalent:key];
    [button setTarget:target];
    [button setAction:action];
    [content addSubview:button];
    return button;
}

} // namespace

int main(int argc, const char** argv)
{
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    NSString* program = @"A program";
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--program") == 0)
            program = [NSString stringWithUTF8String:argv[i + 1]];
    [NSApplication sharedApplication];
    [NSApp finishLaunching];
    [NSApp activateIgnoringOtherApps:YES];

    AgentPrompt* prompt = [[[AgentPrompt alloc] init] autorelease];
    NSWindow* window = [[[NSWindow alloc] initWithContentRect:NSMakeRect(0, 0, 360, 110)
                                                     styleMask:NSWindowStyleMaskTitled | NSWindowStyleMaskClosable
                                                       backing:NSBackingStoreBuffered
                                                         defer:NO] autorelease];
    [window setReleasedWhenClosed:NO];
    [window setTitle:@"Authenticate"];
    [window setDelegate:prompt];
    NSView* content = [window contentView];

    NSTextField* text = [[[NSTextField alloc] initWithFrame:NSMakeRect(20, 60, 320, 30)] autorelease];
    [text setStringValue:[program stringByAppendingString:@" wants to make changes."]];
    [text setEditable:NO];
    [text setSelectable:NO];
    [text setBezeled:NO];
    [text setDrawsBackground:NO];
    [content addSubview:text];

    add_button(content, NSMakeRect(150, 15, 90, 28), @"Cancel", @"\033", prompt, @selector(cancel:));
    NSButton* ok = add_button(content, NSMakeRect(250, 15, 90, 28), @"OK", @"\r", prompt, @selector(allow:));
    [window setDefaultButtonCell:[ok cell]];

    [window center];
    [window makeKeyAndOrderFront:nil];
    const NSInteger answer = [NSApp runModalForWindow:window];
    [window orderOut:nil];
    [pool drain];
    return answer == allowed ? allowed : cancelled;
}
