#include "lcsdk/ui/cocoa/cocoa_classes.h"
#include "lcsdk/ui/cocoa/native_window_impl.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

#include <array>
#include <cctype>
#include <cstdint>

namespace {

using namespace lcsdk::ui;

// The modifier keys flagsChanged: compares, in the order it compares them: the flag bit of each
// and the key code it reports.
struct modifier_key {
    NSUInteger flag;
    std::uint32_t key_code;
};
constexpr std::array<modifier_key, 4> modifier_keys{{
    {NSUInteger{1} << 17, 56}, // Shift
    {NSUInteger{1} << 20, 58}, // Command
    {NSUInteger{1} << 18, 55}, // Control
    {NSUInteger{1} << 19, 18}, // Option
}};

constexpr NSUInteger command_flag = NSUInteger{1} << 20;
constexpr NSUInteger control_flag = NSUInteger{1} << 18;

constexpr NSUInteger tracking_options =
    NSTrackingMouseEnteredAndExited | NSTrackingMouseMoved | NSTrackingActiveAlways | NSTrackingInVisibleRect;

// The characters a key press reports become its key code: letters upper-cased, as the Windows
// virtual-key codes of letters are. Only ASCII is upper-cased: function keys report private-use
// characters that toupper must not see.
int key_character(NSString* characters)
{
    if ([characters length] == 0)
        return -1;
    const unichar first = [characters characterAtIndex:0];
    return first < 0x80 ? std::toupper(first) : first;
}

} // namespace

@implementation NativeView

- (lcsdk::ui::native_window*)nativeWindow
{
    return _nativeWindow;
}

- (void)setNativeWindow:(lcsdk::ui::native_window*)link
{
    _nativeWindow = link;
}

- (id)initWithFrame:(NSRect)frame
{
    self = [super initWithFrame:frame];
    if (self == nil)
        return nil;
    trackArea = nil;
    [self addTags];
    [self setPostsFrameChangedNotifications:YES];
    [self setPostsBoundsChangedNotifications:YES];
    NSNotificationCenter* centre = [NSNotificationCenter defaultCenter];
    [centre addObserver:self selector:@selector(onSize:) name:NSViewFrameDidChangeNotification object:self];
    [centre addObserver:self selector:@selector(onSize:) name:NSViewBoundsDidChangeNotification object:self];
    return self;
}

- (void)dealloc
{
    [[NSNotificationCenter defaultCenter] removeObserver:self];
    [self removeTags];
    [super dealloc];
}

// The toolkit window served, or null while the view is not linked.
- (window*)target
{
    return _nativeWindow ? _nativeWindow->toolkit_window() : nullptr;
}

- (void)addTags
{
    if (trackArea != nil)
        return;
    trackArea = [[NSTrackingArea alloc] initWithRect:[self bounds] options:tracking_options owner:self userInfo:nil];
    [self addTrackingArea:trackArea];
}

- (void)removeTags
{
    if (trackArea == nil)
        return;
    [self removeTrackingArea:trackArea];
    [trackArea release];
    trackArea = nil;
}

- (void)onSize:(NSNotification*)notification
{
    (void)notification;
    [self setNeedsDisplay:YES];
    [self removeTags];
    [self addTags];
}

// The drawer fills and frames source-atop, which paints only over pixels already drawn. A layer-backed
// view (macOS 10.14 and later) starts transparent, so the view is opaque and lays the window's
// background under the dirty rectangle first: what the widgets paint never depends on what the
// buffer held.
- (BOOL)isOpaque
{
    return YES;
}

- (void)drawRect:(NSRect)dirty
{
    [[[self window] backgroundColor] setFill];
    NSRectFill(dirty);
    if (window* target = [self target])
        target->paint({static_cast<int>(NSMinX(dirty)), static_cast<int>(NSMinY(dirty)), static_cast<int>(NSMaxX(dirty)),
                       static_cast<int>(NSMaxY(dirty))});
}

- (void)mouseDown:(NSEvent*)event
{
    window* target = [self target];
    if (!target)
        return;
    if ([event clickCount] == 2)
        translate_second_click(*target, button_left);
    else
        translate_button_down(*target, button_left);
}

- (void)mouseUp:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_button_up(*target, button_left);
}

- (void)mouseMoved:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_tracked_move(*target, button_left);
}

- (void)mouseDragged:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_tracked_move(*target, button_left);
}

- (void)rightMouseDragged:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_tracked_move(*target, button_right);
}

- (void)otherMouseDragged:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_tracked_move(*target, button_left);
}

- (void)rightMouseDown:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_button_down(*target, button_right);
}

- (void)rightMouseUp:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_button_up(*target, button_right);
}

- (void)scrollWheel:(NSEvent*)event
{
    if (window* target = [self target])
        translate_wheel_lines(*target, [event deltaY]);
}

- (void)insertText:(id)text
{
    window* target = [self target];
    if (!target)
        return;
    NSString* characters = [text isKindOfClass:[NSAttributedString class]] ? [text string] : text;
    const NSUInteger length = [characters length];
    for (NSUInteger i = 0; i < length; ++i)
        translate_char(*target, [characters characterAtIndex:i]);
}

- (void)doCommandBySelector:(SEL)command
{
    window* target = [self target];
    if (!target)
        return;
    if (sel_isEqual(command, @selector(deleteBackward:)))
        translate_char(*target, 127);
    else if (sel_isEqual(command, @selector(insertTab:)) || sel_isEqual(command, @selector(insertBacktab:)))
        translate_char(*target, 9);
    else if (sel_isEqual(command, @selector(insertNewline:)))
        translate_char(*target, 13);
    else if (sel_isEqual(command, @selector(cancelOperation:)))
        translate_char(*target, 27);
}

- (void)processKey:(NSEvent*)event eventType:(int)kind
{
    window* target = [self target];
    if (!target)
        return;
    const int character = key_character([event charactersIgnoringModifiers]);
    // The native detail comes first here, with the character where Windows has its key flags.
    if (kind == key_down)
        translate_key_native(*target, [event keyCode], static_cast<std::uint32_t>(character));
    if (character < 0)
        return;
    if (kind == key_down)
        translate_key_press(*target, static_cast<std::uint32_t>(character));
    else
        translate_key_up(*target, static_cast<std::uint32_t>(character));
}

// Command and Control combinations are the view's own, except those of the application's main menu,
// which come first (Command-Q reaches Quit). Other keys are left to keyDown: (macOS only offers
// those combinations here; GNUstep offers every key first).
- (BOOL)performKeyEquivalent:(NSEvent*)event
{
    if (([event modifierFlags] & (command_flag | control_flag)) == 0)
        return NO;
    if ([[NSApp mainMenu] performKeyEquivalent:event])
        return YES;
    [self processKey:event eventType:key_down];
    return YES;
}

- (void)keyDown:(NSEvent*)event
{
    if (![self target])
        return;
    [self processKey:event eventType:key_down];
    [self interpretKeyEvents:[NSArray arrayWithObject:event]];
}

- (void)keyUp:(NSEvent*)event
{
    [self processKey:event eventType:key_up];
}

- (void)flagsChanged:(NSEvent*)event
{
    [super flagsChanged:event];
    window* target = [self target];
    if (!target)
        return;
    const NSUInteger flags = [event modifierFlags];
    // Only the first modifier found changed is reported.
    for (std::size_t i = 0; i < modifier_keys.size(); ++i) {
        const bool down = (flags & modifier_keys[i].flag) != 0;
        if (down == (modifiers[i] != 0))
            continue;
        if (down)
            translate_key_down(*target, modifier_keys[i].key_code, modifier_keys[i].key_code);
        else
            translate_key_up(*target, modifier_keys[i].key_code);
        break;
    }
    for (std::size_t i = 0; i < modifier_keys.size(); ++i)
        modifiers[i] = (flags & modifier_keys[i].flag) != 0 ? 1 : 0;
}

- (void)mouseEntered:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_mouse_enter(*target);
}

- (void)mouseExited:(NSEvent*)event
{
    (void)event;
    if (window* target = [self target])
        translate_mouse_leave(*target);
}

- (void)timerTick:(NSTimer*)timer
{
    if (_nativeWindow)
        _nativeWindow->get_impl().timers.tick([[timer userInfo] unsignedIntValue], *_nativeWindow);
}

- (BOOL)isFlipped
{
    return YES;
}

- (BOOL)acceptsFirstResponder
{
    return YES;
}

- (BOOL)acceptsFirstMouse:(NSEvent*)event
{
    (void)event;
    return YES;
}

- (NSDragOperation)draggingSourceOperationMaskForLocal:(BOOL)local
{
    (void)local;
    return NSDragOperationCopy;
}

@end
