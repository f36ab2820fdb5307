// NSAccessibility for the toolkit's windows: the window's accessibility description
// (lcsdk/ui/accessibility.h) as NSAccessibility elements. The window itself (its NSWindow) is the
// window's element; the content view is no element but lists the elements below it, one
// NativeAccessibilityElement per element, made when first asked for and dropped once its element
// has gone. Everything runs on the main thread, where AppKit asks.
#include "lcsdk/ui/cocoa/accessibility_elements.h"

#include "lcsdk/ui/cocoa/cocoa_text.h"
#include "lcsdk/ui/cocoa/native_window_impl.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/window.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using namespace lcsdk::ui;
namespace access = lcsdk::ui::accessibility;

// Work deferred to the run loop runs in the modal loops of the toolkit's windows too.
NSArray* run_loop_modes() { return [NSArray arrayWithObjects:NSDefaultRunLoopMode, NSModalPanelRunLoopMode, nil]; }

NSAccessibilityRole role_of(access::role kind)
{
    switch (kind) {
    case access::role::window: return NSAccessibilityWindowRole;
    case access::role::button: return NSAccessibilityButtonRole;
    case access::role::check_box: return NSAccessibilityCheckBoxRole;
    case access::role::static_text: return NSAccessibilityStaticTextRole;
    case access::role::scroll_pane: return NSAccessibilityScrollAreaRole;
    case access::role::scroll_bar: return NSAccessibilityScrollBarRole;
    case access::role::picture: return NSAccessibilityImageRole;
    }
    return NSAccessibilityUnknownRole;
}

// A window takes no action while a question of its own is open over it (another window's modal
// session), as it takes no mouse and no keyboard then.
bool takes_input(const native_window& owner)
{
    NSWindow* modal = [NSApp modalWindow];
    return modal == nil || modal == owner.get_impl().window.get();
}

std::optional<access::element> describe_now(native_window* owner, access::element_id element)
{
    if (!owner || !owner->toolkit_window())
        return std::nullopt;
    return access::describe(*owner->toolkit_window(), element);
}

// The object that stands for an element: the NSWindow for the window's own element.
id object_for(native_window& owner, access::element_id element)
{
    if (element && element == access::window_element(*owner.toolkit_window()))
        return owner.get_impl().window.get();
    return owner.get_impl().accessibility.element(owner, element);
}

// A scroll bar's pane: the scrolling element above it.
std::optional<access::element> pane_of(native_window* owner, const access::element& bar)
{
    std::optional<access::element> pane = describe_now(owner, bar.parent);
    return pane && pane->scroll ? pane : std::nullopt;
}

double scrolled_fraction(const access::scroll_state& at)
{
    return at.maximum > 0 ? static_cast<double>(at.position) / at.maximum : 0.0;
}

NSString* optional_text(const std::string& text) { return text.empty() ? nil : cocoa::ns_string(text); }

} // namespace

namespace lcsdk::ui::cocoa {

NativeAccessibilityElement* accessibility_elements::element(native_window& owner, accessibility::element_id which)
{
    if (!which || !owner.toolkit_window() || which == accessibility::window_element(*owner.toolkit_window()))
        return nil;
    owned<NativeAccessibilityElement>& made = elements_[{which.widget, which.part}];
    if (!made)
        made.reset([[NativeAccessibilityElement alloc] initWithNativeWindow:&owner element:which]);
    return made.get();
}

void accessibility_elements::queue(NativeView* view, const accessibility::notification& change)
{
    if (std::find(queued_.begin(), queued_.end(), change) == queued_.end())
        queued_.push_back(change);
    if (posting_)
        return;
    posting_ = true;
    [view performSelector:@selector(postAccessibilityNotifications) withObject:nil afterDelay:0 inModes:run_loop_modes()];
}

accessibility_elements::due accessibility_elements::take_due(const window& target)
{
    posting_ = false;
    due now;
    now.changes.swap(queued_);
    for (auto at = elements_.begin(); at != elements_.end();) {
        if (accessibility::describe(target, [at->second.get() elementId])) {
            ++at;
            continue;
        }
        [at->second.get() unlink];
        now.gone.push_back(std::move(at->second));
        at = elements_.erase(at);
    }
    return now;
}

void accessibility_elements::unlink_all()
{
    for (auto& entry : elements_)
        [entry.second.get() unlink];
    elements_.clear();
    queued_.clear();
    posting_ = false;
}

} // namespace lcsdk::ui::cocoa

@implementation NativeAccessibilityElement

- (id)initWithNativeWindow:(native_window*)owner element:(access::element_id)element
{
    self = [super init];
    if (self == nil)
        return nil;
    _nativeWindow = owner;
    widgetSerial = element.widget;
    partNumber = element.part;
    return self;
}

- (native_window*)nativeWindow
{
    return _nativeWindow;
}

- (access::element_id)elementId
{
    return {widgetSerial, partNumber};
}

- (void)unlink
{
    _nativeWindow = nullptr;
}

- (BOOL)isAccessibilityElement
{
    return YES;
}

- (NSAccessibilityRole)accessibilityRole
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    return now ? role_of(now->kind) : nil;
}

// A text says itself as its value, as AppKit's static texts do; every other element by its label.
- (NSString*)accessibilityLabel
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    return now && now->kind != access::role::static_text ? optional_text(now->name) : nil;
}

- (NSString*)accessibilityHelp
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    return now ? optional_text(now->help) : nil;
}

// A check box's state (YES checked), a text's text, a scroll bar's position from 0 at the start to 1
// at the end.
- (id)accessibilityValue
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now)
        return nil;
    if (now->checked)
        return [NSNumber numberWithBool:*now->checked ? YES : NO];
    if (now->kind == access::role::static_text)
        return cocoa::ns_string(now->name);
    if (now->kind == access::role::scroll_bar && now->id.part == 0)
        if (const auto pane = pane_of(_nativeWindow, *now))
            return [NSNumber numberWithDouble:scrolled_fraction(*pane->scroll)];
    return nil;
}

// Moving a scroll bar's value scrolls its pane.
- (void)setAccessibilityValue:(id)value
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now || now->kind != access::role::scroll_bar || ![value isKindOfClass:[NSNumber class]] ||
        !takes_input(*_nativeWindow))
        return;
    if (const auto pane = pane_of(_nativeWindow, *now)) {
        const double fraction = std::clamp([value doubleValue], 0.0, 1.0);
        access::scroll_to(*_nativeWindow->toolkit_window(), pane->id,
                          static_cast<int>(std::lround(fraction * pane->scroll->maximum)));
    }
}

- (NSAccessibilityOrientation)accessibilityOrientation
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    std::optional<access::element> pane;
    if (now && now->kind == access::role::scroll_bar)
        pane = pane_of(_nativeWindow, *now);
    else if (now && now->scroll)
        pane = now;
    if (!pane)
        return NSAccessibilityOrientationUnknown;
    return pane->scroll->vertical ? NSAccessibilityOrientationVertical : NSAccessibilityOrientationHorizontal;
}

- (id)scrollBarAlong:(BOOL)vertical
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now || !now->scroll || now->scroll->vertical != static_cast<bool>(vertical))
        return nil;
    for (const access::element_id child : now->children) {
        const auto below = describe_now(_nativeWindow, child);
        if (below && below->kind == access::role::scroll_bar)
            return object_for(*_nativeWindow, child);
    }
    return nil;
}

- (id)accessibilityVerticalScrollBar
{
    return [self scrollBarAlong:YES];
}

- (id)accessibilityHorizontalScrollBar
{
    return [self scrollBarAlong:NO];
}

- (BOOL)isAccessibilityEnabled
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    return now && now->enabled;
}

- (BOOL)isAccessibilityFocused
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    return now && now->focused;
}

- (void)setAccessibilityFocused:(BOOL)focused
{
    if (focused && _nativeWindow && takes_input(*_nativeWindow) && _nativeWindow->toolkit_window())
        access::set_focus(*_nativeWindow->toolkit_window(), [self elementId]);
}

// Bottom-left screen coordinates, as AppKit measures; nothing for an element that is hidden.
- (NSRect)accessibilityFrame
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now || !now->visible)
        return NSZeroRect;
    const vec2i origin = _nativeWindow->client_screen_position();
    return _nativeWindow->get_impl().screen_rect({now->bounds.position - origin, now->bounds.size});
}

// The elements right below the window have the view as their parent, which lists them.
- (id)accessibilityParent
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now)
        return nil;
    if (now->parent == access::window_element(*_nativeWindow->toolkit_window()))
        return _nativeWindow->get_impl().view.get();
    return object_for(*_nativeWindow, now->parent);
}

- (NSArray*)accessibilityChildren
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    NSMutableArray* children = [NSMutableArray array];
    if (now)
        for (const access::element_id child : now->children)
            [children addObject:object_for(*_nativeWindow, child)];
    return children;
}

- (id)accessibilityWindow
{
    return _nativeWindow ? _nativeWindow->get_impl().window.get() : nil;
}

- (id)accessibilityTopLevelUIElement
{
    return [self accessibilityWindow];
}

// A question may have opened over the window since the press was accepted.
- (void)pressNow
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (now && takes_input(*_nativeWindow))
        access::perform(*_nativeWindow->toolkit_window(), now->id, now->default_action);
}

// Accepted when the element can be pressed now; the press itself runs from the run loop, because
// it may open a question whose modal loop must not run inside the caller's request.
- (BOOL)accessibilityPerformPress
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now || !now->visible || !now->enabled || !takes_input(*_nativeWindow) ||
        (now->default_action != access::action::press && now->default_action != access::action::toggle))
        return NO;
    [self performSelector:@selector(pressNow) withObject:nil afterDelay:0 inModes:run_loop_modes()];
    return YES;
}

- (BOOL)isAccessibilitySelectorAllowed:(SEL)selector
{
    const auto now = describe_now(_nativeWindow, [self elementId]);
    if (!now)
        return NO;
    if (sel_isEqual(selector, @selector(accessibilityPerformPress)))
        return now->default_action == access::action::press || now->default_action == access::action::toggle;
    if (sel_isEqual(selector, @selector(setAccessibilityFocused:)))
        return now->focusable;
    if (sel_isEqual(selector, @selector(setAccessibilityValue:)))
        return now->kind == access::role::scroll_bar && now->id.part == 0;
    // The other setters of the element class store what a client sets; none changes the wizard.
    return ![NSStringFromSelector(selector) hasPrefix:@"setAccessibility"];
}

@end

@implementation NativeView (Accessibility)

- (BOOL)isAccessibilityElement
{
    return NO;
}

- (NSArray*)accessibilityChildren
{
    NSMutableArray* children = [NSMutableArray array];
    window* target = _nativeWindow ? _nativeWindow->toolkit_window() : nullptr;
    if (!target)
        return children;
    if (const auto top = access::describe(*target, access::window_element(*target)))
        for (const access::element_id child : top->children)
            [children addObject:object_for(*_nativeWindow, child)];
    return children;
}

- (id)accessibilityHitTest:(NSPoint)point
{
    window* target = _nativeWindow ? _nativeWindow->toolkit_window() : nullptr;
    if (!target)
        return nil;
    const vec2i client = _nativeWindow->get_impl().client_point(point);
    return object_for(*_nativeWindow, access::element_at(*target, _nativeWindow->client_screen_position() + client));
}

// The focused element, or the window when the focus rests on none.
- (id)accessibilityFocusedUIElement
{
    window* target = _nativeWindow ? _nativeWindow->toolkit_window() : nullptr;
    if (!target)
        return nil;
    const access::element_id focused = access::focused_element(*target);
    return object_for(*_nativeWindow, focused ? focused : access::window_element(*target));
}

- (void)postAccessibilityNotifications
{
    window* target = _nativeWindow ? _nativeWindow->toolkit_window() : nullptr;
    if (!target)
        return;
    cocoa::accessibility_elements::due due = _nativeWindow->get_impl().accessibility.take_due(*target);
    for (const auto& gone : due.gone)
        NSAccessibilityPostNotification(gone.get(), NSAccessibilityUIElementDestroyedNotification);
    bool focus_moved = false;
    for (const access::notification& change : due.changes) {
        if (!access::describe(*target, change.subject))
            continue;
        switch (change.what) {
        case access::change::structure:
            NSAccessibilityPostNotification(object_for(*_nativeWindow, change.subject),
                                            NSAccessibilityLayoutChangedNotification);
            break;
        case access::change::toggled:
            NSAccessibilityPostNotification(object_for(*_nativeWindow, change.subject),
                                            NSAccessibilityValueChangedNotification);
            break;
        case access::change::focus:
        case access::change::shown: // the window itself is announced by AppKit; its focus is ours
            focus_moved = true;
            break;
        }
    }
    // Once, for where the focus is now.
    if (focus_moved)
        NSAccessibilityPostNotification([self accessibilityFocusedUIElement],
                                        NSAccessibilityFocusedUIElementChangedNotification);
}

@end
