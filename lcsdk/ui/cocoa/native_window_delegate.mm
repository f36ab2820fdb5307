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

// As the window's delegate it hears of the window's size and key status without observing the
// notifications itself, which would deliver each of them twice. Main status is not looked at: the
// window becomes main when it becomes key, and one focus event is enough.
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
