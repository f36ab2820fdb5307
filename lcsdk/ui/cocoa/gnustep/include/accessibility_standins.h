#pragma once

// AppKit's NSAccessibility API (macOS 10.10) as far as the Cocoa layer implements it and its tests
// call it, with AppKit's names and types. GNUstep has the class NSAccessibilityElement, the
// constants and NSAccessibilityPostNotification, but declares the protocol NSAccessibility empty and
// adopts it nowhere; on a Mac, NSView and NSAccessibilityElement adopt it. The getters and setters
// of the protocol's properties are declared as the methods they are.

#import <AppKit/AppKit.h>

typedef NSString* NSAccessibilityRole;

@protocol LCAccessibility <NSObject>
- (BOOL)isAccessibilityElement;
- (NSRect)accessibilityFrame;
- (BOOL)isAccessibilityFocused;
- (void)setAccessibilityFocused:(BOOL)accessibilityFocused;
- (id)accessibilityTopLevelUIElement;
- (id)accessibilityValue;
- (void)setAccessibilityValue:(id)accessibilityValue;
- (NSAccessibilityOrientation)accessibilityOrientation;
- (id)accessibilityParent;
- (NSAccessibilityRole)accessibilityRole;
- (id)accessibilityWindow;
- (NSString*)accessibilityHelp;
- (BOOL)isAccessibilityEnabled;
- (NSArray*)accessibilityChildren;
- (NSString*)accessibilityLabel;
- (id)accessibilityHorizontalScrollBar;
- (id)accessibilityVerticalScrollBar;
- (BOOL)accessibilityPerformPress;
- (BOOL)isAccessibilitySelectorAllowed:(SEL)selector;
@end

@interface NSView (LCAccessibility) <LCAccessibility>
@end

@interface NSAccessibilityElement (LCAccessibility) <LCAccessibility>
@end

// AppKit's NSObject (NSAccessibility): the deepest element under a point on the screen, and the
// element with the keyboard focus, each looked for below the receiver.
@interface NSObject (LCAccessibilityHitTest)
- (id)accessibilityHitTest:(NSPoint)point;
- (id)accessibilityFocusedUIElement;
@end
