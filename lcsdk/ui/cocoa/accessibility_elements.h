#pragma once

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/cocoa/cocoa_classes.h"
#include "lcsdk/ui/cocoa/owned.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace lcsdk::ui {
class native_window;
class window;
} // namespace lcsdk::ui

namespace lcsdk::ui::cocoa {

// The NSAccessibility side of one native window: one element object per element id, made when it
// is first asked for and kept while its element lives, and the announcements still to be posted.
class accessibility_elements {
public:
    accessibility_elements() = default;
    ~accessibility_elements() { unlink_all(); }
    accessibility_elements(const accessibility_elements&) = delete;
    accessibility_elements& operator=(const accessibility_elements&) = delete;

    // The object of an element below the window; nil for the null id and for the window's own
    // element, which the window itself stands for.
    NativeAccessibilityElement* element(native_window& owner, accessibility::element_id which);

    // Queues an announcement; `view` posts what is queued from the run loop, once the change in
    // progress is complete (postAccessibilityNotifications).
    void queue(NativeView* view, const accessibility::notification& change);

    // What postAccessibilityNotifications posts: the queued announcements, and the element objects
    // whose elements went since the last time, unlinked and forgotten here.
    struct due {
        std::vector<accessibility::notification> changes;
        std::vector<owned<NativeAccessibilityElement>> gone;
    };
    due take_due(const window& target);

    // Before the native window goes: no element object reaches it any more.
    void unlink_all();

private:
    using key = std::pair<std::uint64_t, int>;
    std::map<key, owned<NativeAccessibilityElement>> elements_;
    std::vector<accessibility::notification> queued_;
    bool posting_ = false;
};

} // namespace lcsdk::ui::cocoa
