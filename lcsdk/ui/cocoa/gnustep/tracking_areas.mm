// NSView's tracking areas on GNUstep, which has the NSTrackingArea class but not the NSView methods
// that use it. They are built on GNUstep's tracking rectangles, which send mouseEntered: and
// mouseExited: to the area's owner, and on the window's mouse-moved events. GNUstep keeps tracking
// rectangles in the window, so an area added before its view is in a window tracks nothing: the
// view adds it again when its frame changes, as it does when it becomes a window's content view.
#include "gnustep_standins.h"

#include <unordered_map>

namespace {

struct installed_area {
    NSView* view;
    NSTrackingRectTag tag;
};

// Every area added and not yet removed; each holds a reference to its area.
std::unordered_map<NSTrackingArea*, installed_area>& installed_areas()
{
    static std::unordered_map<NSTrackingArea*, installed_area> areas;
    return areas;
}

} // namespace

@implementation NSView (LCTrackingAreas)

- (void)addTrackingArea:(NSTrackingArea*)area
{
    auto& areas = installed_areas();
    if (area == nil || areas.count(area) != 0)
        return;
    const NSTrackingAreaOptions options = [area options];
    NSTrackingRectTag tag = 0;
    if ((options & NSTrackingMouseEnteredAndExited) != 0 && [self window] != nil) {
        const NSRect rect = (options & NSTrackingInVisibleRect) != 0 ? [self visibleRect] : [area rect];
        tag = [self addTrackingRect:rect
                              owner:[area owner]
                           userData:nullptr
                       assumeInside:(options & NSTrackingAssumeInside) != 0 ? YES : NO];
    }
    if ((options & NSTrackingMouseMoved) != 0)
        [[self window] setAcceptsMouseMovedEvents:YES];
    areas.emplace([area retain], installed_area{self, tag});
}

- (void)removeTrackingArea:(NSTrackingArea*)area
{
    auto& areas = installed_areas();
    const auto found = areas.find(area);
    if (found == areas.end() || found->second.view != self)
        return;
    if (found->second.tag != 0)
        [self removeTrackingRect:found->second.tag];
    areas.erase(found);
    [area release];
}

@end
