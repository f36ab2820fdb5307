#include "lcsdk/ui/cocoa/cocoa_classes.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

using namespace lcsdk::ui;

@implementation NativeWindowDelegate

- (lcsdk::ui::native_window*)nativeWindow
{
    return _nativeWindow;
}

- (void)setNativeWindow:(lcsdk::ui::native_window*)link
{
    _nativeWindow = link;
}

- (void)dealloc
{
    [[NSNotificationCenter defaultCenter] removeObserver:self];
    [super dealloc];
}

// The toolkit window served, or null while the delegate is not linked.
- (window*)target
{
    return _nativeWindow ? _nativeWindow->toolkit_window() : nullptr;
}

// Main and key status both count as focus, so a window that becomes key and main hears of it twice.
- (void)setFocusEvents
{
    NSNotificationCenter* centre = [NSNotificationCenter defaultCenter];
    NSWindow* observed = [self window];
    [centre addObserver:self selector:@selector(windowDidResignKey:) name:NSWindowDidResignMainNotification object:observed];
    [centre addObserver:self selector:@selector(windowDidResignKey:) name:NSWindowDidResignKeyNotification object:observed];
    [centre addObserver:self selector:@selector(windowDidBecomeKey:) name:NSWindowDidBecomeMainNotification object:observed];
    [centre addObserver:self selector:@selector(windowDidBecomeKey:) name:NSWindowDidBecomeKeyNotification object:observed];
    [centre addObserver:self selector:@selector(windowDidResize:) name:NSWindowDidResizeNotification object:observed];
}

- (BOOL)windowShouldClose:(id)sender
{
    (void)sender;
    return YES;
}

// The close button ends the window's modal loop; the toolkit window stays alive.
- (void)windowWillClose:(NSNotification*)notification
{
    (void)notification;
    window* target = [self target];
    if (target && [NSApp modalWindow] == [self window])
        translate_close(*target);
}

- (void)windowDidResize:(NSNotification*)notification
{
    (void)notification;
    window* target = [self target];
    if (!target)
        return;
    const NSRect bounds = [[[self window] contentView] bounds];
    translate_client_size(*target, {static_cast<int>(NSWidth(bounds)), static_cast<int>(NSHeight(bounds))});
}

- (void)windowDidResignKey:(NSNotification*)notification
{
    (void)notification;
    if (window* target = [self target])
        translate_focus(*target, false);
}

- (void)windowDidBecomeKey:(NSNotification*)notification
{
    (void)notification;
    if (window* target = [self target])
        translate_focus(*target, true);
}

@end
