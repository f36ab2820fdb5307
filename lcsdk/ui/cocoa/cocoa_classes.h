#pragma once

// The three Cocoa classes behind a native_window. Objective-C++ only: included by the layer's .mm
// files, never by toolkit code.

#import <AppKit/AppKit.h>

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

// Window controller and delegate: focus, resize and close notifications of the window.
@interface NativeWindowDelegate : NSWindowController <NSWindowDelegate> {
    lcsdk::ui::native_window* _nativeWindow;
}
@property (nonatomic, assign) lcsdk::ui::native_window* nativeWindow;
@end
