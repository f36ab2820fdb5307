#pragma once

// The Cocoa classes behind a native_window. Objective-C++ only: included by the layer's .mm files,
// never by toolkit code.

#import <AppKit/AppKit.h>

#include "lcsdk/ui/accessibility.h"

#include <cstdint>

namespace lcsdk::ui {
class native_window;
}

// The Cocoa window of one native_window; it may always take the keyboard.
@interface NativeWindow : NSWindow
@end

// The content view. It receives every event of the window and turns it into toolkit events
// through the shared translation rules. Every event method does nothing while `nativeWindow` is
// unset, so events that arrive while the native window is being destroyed go nowhere.
@interface NativeView : NSView {
    NSTrackingArea* trackArea;
    lcsdk::ui::native_window* _nativeWindow;
    // Shift, Command, Control and Option as flagsChanged: last saw them (zero from alloc).
    unsigned char modifiers[4];
}
@property (nonatomic, assign) lcsdk::ui::native_window* nativeWindow;
- (void)addTags;
- (void)removeTags;
- (void)onSize:(NSNotification*)notification;
- (void)processKey:(NSEvent*)event eventType:(int)kind;
- (void)timerTick:(NSTimer*)timer;
@end

// The view is the container of its window's accessibility elements (accessibility_elements.mm):
// itself no element, it lists the elements below the window, finds the one under a point and the
// one with the focus.
@interface NativeView (Accessibility)
// Posts what the toolkit announced since the last call; run from the run loop, once the change
// that was announced is complete.
- (void)postAccessibilityNotifications;
@end

// One element of a window's accessibility description (lcsdk/ui/accessibility.h): a widget, or a
// part that a widget draws itself. It keeps the element's id and its native window, never the
// widget, and asks the description again each time; once unlinked (the element or its window is
// gone) it describes nothing and does nothing.
@interface NativeAccessibilityElement : NSAccessibilityElement {
    lcsdk::ui::native_window* _nativeWindow;
    std::uint64_t widgetSerial;
    int partNumber;
}
- (id)initWithNativeWindow:(lcsdk::ui::native_window*)owner element:(lcsdk::ui::accessibility::element_id)element;
- (lcsdk::ui::native_window*)nativeWindow;
- (lcsdk::ui::accessibility::element_id)elementId;
- (void)unlink;
@end

// Window controller and delegate: focus, resize and close notifications of the window.
@interface NativeWindowDelegate : NSWindowController <NSWindowDelegate> {
    lcsdk::ui::native_window* _nativeWindow;
}
@property (nonatomic, assign) lcsdk::ui::native_window* nativeWindow;
@end
