#include "lcsdk/ui/native_window.h"

#include "lcsdk/ui/cocoa/autorelease_pool.h"
#include "lcsdk/ui/cocoa/cocoa_text.h"
#include "lcsdk/ui/cocoa/native_window_impl.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/window.h"

#include <cassert>
#include <cmath>

@implementation NativeWindow

- (BOOL)canBecomeKeyWindow
{
    return YES;
}

- (BOOL)canBecomeMainWindow
{
    return YES;
}

@end

namespace lcsdk::ui {

namespace {

// Every kind of event (the mask's name differs between macOS releases).
constexpr NSUInteger any_event = NSUIntegerMax;

// Cocoa's screen coordinates grow upward from the bottom of the first screen; the toolkit's grow
// downward from its top.
CGFloat first_screen_height()
{
    NSArray* screens = [NSScreen screens];
    return [screens count] > 0 ? NSHeight([[screens objectAtIndex:0] frame]) : 0;
}

// A title bar and a close button; the toolkit's windows cannot be resized.
constexpr NSUInteger style_mask = NSWindowStyleMaskClosable | NSWindowStyleMaskTitled;

vec2i truncated(NSPoint point) { return {static_cast<int>(point.x), static_cast<int>(point.y)}; }

} // namespace

void native_window::impl::set_visible(bool shown)
{
    if (shown)
        [window.get() makeKeyAndOrderFront:nil];
    else
        [window.get() orderOut:nil];
}

vec2i native_window::impl::client_point(NSPoint screen) const
{
    const NSRect in_window = [window.get() convertRectFromScreen:NSMakeRect(screen.x, screen.y, 0, 0)];
    // The view is flipped: this is the toolkit's top-down position.
    return truncated([view.get() convertRect:in_window fromView:nil].origin);
}

NSRect native_window::impl::screen_rect(rect_i client) const
{
    const NSRect in_view = NSMakeRect(client.position.x, client.position.y, client.size.x, client.size.y);
    return [window.get() convertRectToScreen:[view.get() convertRect:in_view toView:nil]];
}

native_window::native_window() : impl_(std::make_unique<impl>()) {}

native_window::~native_window()
{
    impl& d = *impl_;
    for (auto& [key, timer] : d.run_loop_timers)
        [timer.get() invalidate];
    d.run_loop_timers.clear();
    // Announcements not posted yet go with the window, and elements that assistive technology
    // still holds describe nothing from now on.
    [NSObject cancelPreviousPerformRequestsWithTarget:d.view.get()];
    d.accessibility.unlink_all();
    // The links go first: whatever the teardown below sends to the view or the delegate (resign
    // notifications, a last event) must find no native window, and neither object may be
    // messaged after its release.
    [d.view.get() setNativeWindow:nullptr];
    [d.delegate.get() setNativeWindow:nullptr];
    [d.window.get() setDelegate:nil];
    d.delegate.reset();
    [d.window.get() setContentView:nil];
    d.view.reset();
    d.window.reset();
}

void native_window::create_window(native_window* /*owner: Cocoa windows have none*/, window* toolkit_window,
                                  rect_i rect_dips, std::uint32_t /*style_flags: the frame is fixed*/)
{
    impl& d = *impl_;
    if (d.window)
        return;
    d.toolkit_window = toolkit_window;
    const NSRect content = NSMakeRect(rect_dips.position.x, first_screen_height() - rect_dips.position.y - rect_dips.size.y,
                                      rect_dips.size.x, rect_dips.size.y);
    d.window.reset([[NativeWindow alloc] initWithContentRect:content
                                                   styleMask:style_mask
                                                     backing:NSBackingStoreBuffered
                                                       defer:NO]);
    NativeWindow* w = d.window.get();
    [w setReleasedWhenClosed:NO];

    NativeView* view = [[[NativeView alloc] initWithFrame:[w frame]] autorelease];
    d.view = cocoa::owned<NativeView>::retained(view);
    [view setNativeWindow:this];
    [w setContentView:view];

    d.delegate.reset([[NativeWindowDelegate alloc] initWithWindow:w]);
    [d.delegate.get() setNativeWindow:this];
    [w setDelegate:d.delegate.get()];
}

bool native_window::is_created() const { return static_cast<bool>(impl_->window); }

void native_window::set_title(const std::string& title_utf8)
{
    [impl_->window.get() setTitle:cocoa::ns_string(title_utf8)];
}

void native_window::set_window_rect(rect_i rect_dips)
{
    impl& d = *impl_;
    NativeWindow* w = d.window.get();
    if (!w)
        return;
    const CGFloat screen_height = first_screen_height();
    const NSRect frame = [w frame];
    const NSRect content = [[w contentView] bounds];
    const int border = static_cast<int>((NSWidth(frame) - NSWidth(content)) * 0.5);
    const int top = static_cast<int>(NSHeight(frame) - NSHeight(content) - border);
    const NSRect placed = NSMakeRect(rect_dips.position.x + border,
                                     screen_height - rect_dips.position.y - rect_dips.size.y - top,
                                     rect_dips.size.x + border, rect_dips.size.y + top);
    if (!NSEqualPoints(placed.origin, frame.origin))
        [w setFrame:placed display:YES];
    const NSSize size = NSMakeSize(rect_dips.size.x, rect_dips.size.y);
    if (!NSEqualSizes(content.size, size))
        [w setContentSize:size];
}

void native_window::center_window() { [impl_->window.get() center]; }

void native_window::show_modal()
{
    impl& d = *impl_;
    const NSModalSession modalSession = d.modal_session;
    assert(!modalSession);
    if (modalSession)
        return;

    // Drained when the loop ends.
    const cocoa::autorelease_pool pool;
    d.set_visible(true);
    const NSModalSession session = [NSApp beginModalSessionForWindow:d.window.get()];
    d.modal_session = session;
    // Events go through the session; timers and other sources of the default mode through the run
    // loop. end_modal only clears the stored session: the session is ended here, once
    // runModalSession: has returned, because ending it from an event handler inside that call
    // pulls the session out from under it. The stored session is read again before waiting, so an
    // end_modal from an event handler ends the loop without waiting for one more event. A pass of
    // the session may leave events queued (GNUstep's handles one), and the run loop would wait for
    // new input with them still in the queue: it waits only when the queue is empty.
    while (d.modal_session) {
        [NSApp runModalSession:session];
        if (!d.modal_session)
            break;
        if (![NSApp nextEventMatchingMask:any_event
                                 untilDate:[NSDate distantPast]
                                    inMode:NSDefaultRunLoopMode
                                   dequeue:NO])
            [[NSRunLoop currentRunLoop] runMode:NSDefaultRunLoopMode beforeDate:[NSDate distantFuture]];
    }
    [NSApp endModalSession:session];
}

void native_window::end_modal()
{
    impl& d = *impl_;
    const NSModalSession modalSession = d.modal_session;
    assert(modalSession != nullptr);
    if (!modalSession)
        return;
    d.set_visible(false);
    d.modal_session = nullptr;
    // The loop may be asleep in the run loop, woken only by input: a timer's tick does not end
    // that wait. An event of the application's own wakes it, so an end from a timer handler ends
    // the loop at once; nothing handles the event itself.
    [NSApp postEvent:[NSEvent otherEventWithType:NSEventTypeApplicationDefined
                                        location:NSZeroPoint
                                   modifierFlags:0
                                       timestamp:0
                                    windowNumber:0
                                         context:nil
                                         subtype:0
                                           data1:0
                                           data2:0]
             atStart:NO];
}

void native_window::add_timer(widget* target, std::int32_t id_value, std::uint32_t interval_ms, bool one_shot)
{
    impl& d = *impl_;
    const auto key = d.timers.add(target, id_value, one_shot);
    if (!key)
        return;
    NSTimer* timer = [NSTimer timerWithTimeInterval:interval_ms * 0.001
                                             target:d.view.get()
                                           selector:@selector(timerTick:)
                                           userInfo:[NSNumber numberWithUnsignedInt:*key]
                                            repeats:one_shot ? NO : YES];
    d.run_loop_timers.emplace(*key, cocoa::owned<NSTimer>::retained(timer));
    [[NSRunLoop currentRunLoop] addTimer:timer forMode:NSDefaultRunLoopMode];
}

void native_window::remove_timer(widget* target, std::int32_t id_value)
{
    impl& d = *impl_;
    const auto key = d.timers.remove(target, id_value);
    if (!key)
        return;
    if (const auto found = d.run_loop_timers.find(*key); found != d.run_loop_timers.end()) {
        [found->second.get() invalidate];
        d.run_loop_timers.erase(found);
    }
}

void native_window::invalidate(rect_i /*rect_dips: the whole view is repainted*/)
{
    [impl_->view.get() setNeedsDisplay:YES];
}

// While a widget holds the mouse, the cursor it chose stays whatever the pointer passes over.
void native_window::set_mouse_capture() { [impl_->window.get() disableCursorRects]; }

void native_window::release_mouse_capture() { [impl_->window.get() enableCursorRects]; }

vec2i native_window::client_mouse_position() const
{
    const impl& d = *impl_;
    if (!d.window)
        return screen_mouse_position();
    return d.client_point([NSEvent mouseLocation]);
}

vec2i native_window::client_screen_position() const
{
    const impl& d = *impl_;
    if (!d.window)
        return {};
    const NSRect content = [d.window.get() contentRectForFrameRect:[d.window.get() frame]];
    return {static_cast<int>(NSMinX(content)), static_cast<int>(first_screen_height() - NSMaxY(content))};
}

// Posted later by the view (accessibility_elements.mm): the tree may be in the middle of a change.
void native_window::announce(const accessibility::notification& change)
{
    impl& d = *impl_;
    if (d.view)
        d.accessibility.queue(d.view.get(), change);
}

window* native_window::toolkit_window() const { return impl_->toolkit_window; }

void* native_window::native_handle() const { return impl_->window.get(); }

vec2i screen_mouse_position()
{
    const NSPoint screen = [NSEvent mouseLocation];
    return truncated(NSMakePoint(screen.x, first_screen_height() - screen.y));
}

} // namespace lcsdk::ui
