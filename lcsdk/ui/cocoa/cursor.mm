#include "lcsdk/ui/native_platform.h"

#import <AppKit/AppKit.h>

namespace lcsdk::ui {

void set_cursor_shape(int kind)
{
    NSCursor* cursor = nil;
    switch (kind) {
    case cursor_arrow: cursor = [NSCursor arrowCursor]; break;
    case cursor_cross: cursor = [NSCursor closedHandCursor]; break;
    case cursor_size_we: cursor = [NSCursor resizeLeftRightCursor]; break;
    case cursor_size_ns: cursor = [NSCursor resizeUpDownCursor]; break;
    case cursor_ibeam: cursor = [NSCursor IBeamCursor]; break;
    case cursor_hand: cursor = [NSCursor pointingHandCursor]; break;
    default: return; // macOS has no diagonal resize cursors: the cursor stays as it is
    }
    [cursor set];
}

} // namespace lcsdk::ui
