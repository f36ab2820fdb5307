#include "lcsdk/ui/native_window.h"

#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/offscreen/platform_state.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/screen_geometry.h"
#include "lcsdk/ui/window.h"

#include <algorithm>

namespace lcsdk::ui {

namespace {

using offscreen::detail::state;

// Timers shorter than this run at this interval, as on Windows.
constexpr std::uint32_t minimum_timer_interval_ms = 10;

rect_ltrb client_bounds(const native_window::impl& d) { return {0, 0, d.rect.size.x, d.rect.size.y}; }

std::optional<rect_ltrb> intersect(rect_ltrb a, rect_ltrb b)
{
    const rect_ltrb r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom)
        return std::nullopt;
    return r;
}

void invalidate_all(native_window::impl& d)
{
    const rect_ltrb whole = client_bounds(d);
    d.dirty.reset();
    if (whole.right > 0 && whole.bottom > 0)
        d.dirty = whole;
}

rect_ltrb unite(rect_ltrb a, rect_ltrb b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

} // namespace

native_window::native_window() : impl_(std::make_unique<impl>())
{
    impl_->self = this;
    impl_->serial = state().next_serial++;
}

native_window::~native_window()
{
    auto& st = state();
    std::erase(st.windows, this);
    // Destruction sends nothing: the toolkit window is already half gone.
    if (st.capture == this)
        st.capture = nullptr;
    if (st.focus == this)
        st.focus = nullptr;
    // Input aimed at this window dies with it, as queued messages do with their window.
    std::erase_if(st.queue, [this](const offscreen::detail::input_item& item) { return item.target == this; });
    for (native_window* other : st.windows)
        if (other->impl_->owner == this)
            other->impl_->owner = nullptr;
}

void native_window::create_window(native_window* owner, window* toolkit_window, rect_i rect_dips,
                                  std::uint32_t /*style_flags*/)
{
    auto& d = *impl_;
    if (d.created)
        return;
    d.owner = owner;
    d.toolkit = toolkit_window;
    d.rect = rect_dips;
    d.created = true;
    // A new window starts with all of its client area needing paint.
    invalidate_all(d);
    state().windows.push_back(this);
}

bool native_window::is_created() const { return impl_->created; }

void native_window::set_title(const std::string& title_utf8) { impl_->title = title_utf8; }

void native_window::set_window_rect(rect_i rect_dips)
{
    auto& d = *impl_;
    const vec2i old_size = d.rect.size;
    d.rect = rect_dips;
    if (!d.created || old_size == rect_dips.size)
        return;
    // The class redraws everything on any size change.
    invalidate_all(d);
    if (d.toolkit) {
        if (d.toolkit->drawer)
            d.toolkit->drawer->resize(rect_dips.size);
        translate_client_size(*d.toolkit, rect_dips.size);
    }
}

void native_window::center_window()
{
    auto& d = *impl_;
    const auto& st = state();
    const vec2i client = d.toolkit ? d.toolkit->root.size : d.rect.size;
    const rect_i reference = d.owner ? d.owner->impl_->rect : st.layout.screen;
    const rect_i work = st.layout.work_area;
    // There is no frame offscreen: the outer rectangle is the client rectangle.
    d.rect.position = centred_position({reference.left(), reference.top(), reference.right(), reference.bottom()},
                                       {work.left(), work.top(), work.right(), work.bottom()}, client, client);
}

void native_window::show_modal()
{
    auto& d = *impl_;
    if (d.owner) {
        d.owner_was_enabled = d.owner->impl_->enabled;
        offscreen::detail::set_window_enabled(*d.owner->impl_, false);
    }
    if (!d.visible)
        offscreen::detail::show_window(d);
    d.modal_running = true;
    offscreen::detail::run_modal_loop(*this);
}

void native_window::end_modal()
{
    auto& d = *impl_;
    d.modal_running = false;
    // An owner that another popup still disables stays disabled.
    if (d.owner && d.owner_was_enabled) {
        offscreen::detail::set_window_enabled(*d.owner->impl_, true);
        offscreen::detail::set_focus_window(d.owner);
    }
    if (d.visible)
        offscreen::detail::hide_window(d);
}

void native_window::add_timer(widget* target, std::int32_t id_value, std::uint32_t interval_ms, bool one_shot)
{
    auto& d = *impl_;
    if (const auto key = d.timers.add(target, id_value, one_shot))
        offscreen::detail::schedule_timer(d, *key, std::max(interval_ms, minimum_timer_interval_ms));
}

void native_window::remove_timer(widget* target, std::int32_t id_value)
{
    auto& d = *impl_;
    if (const auto key = d.timers.remove(target, id_value))
        d.schedules.erase(*key);
}

void native_window::invalidate(rect_i rect_dips)
{
    auto& d = *impl_;
    const rect_ltrb asked{rect_dips.left(), rect_dips.top(), rect_dips.right(), rect_dips.bottom()};
    const auto inside = intersect(asked, client_bounds(d));
    if (!inside)
        return;
    d.dirty = d.dirty ? unite(*d.dirty, *inside) : *inside;
}

void native_window::set_mouse_capture()
{
    if (!impl_->created)
        return;
    auto& st = state();
    native_window* previous = st.capture;
    st.capture = this;
    // The window that held the capture loses it, and with it any drag in progress there.
    if (previous && previous != this && offscreen::detail::is_live(previous) && previous->impl_->toolkit)
        translate_capture_lost(*previous->impl_->toolkit);
}

void native_window::release_mouse_capture()
{
    auto& st = state();
    // Only the holder lets go: a window that already lost the capture must not take it from the
    // window that has it now. A leave may now be owed.
    if (st.capture != this)
        return;
    st.capture = nullptr;
    offscreen::detail::post(offscreen::detail::make_input(offscreen::detail::input_kind::leave_check));
}

vec2i native_window::client_mouse_position() const { return state().mouse - impl_->rect.position; }

vec2i native_window::client_screen_position() const { return impl_->rect.position; }

// Kept for tests to read: the neutral build has no assistive technology to tell.
void native_window::announce(const accessibility::notification& change) { impl_->announcements.push_back(change); }

window* native_window::toolkit_window() const { return impl_->toolkit; }

// The offscreen window's own state stands for the platform object.
void* native_window::native_handle() const { return impl_->created ? impl_.get() : nullptr; }

vec2i screen_mouse_position() { return state().mouse; }

void set_cursor_shape(int kind) { state().cursor = (kind >= cursor_arrow && kind <= cursor_size_nesw) ? kind : cursor_arrow; }

bool is_shift_down() { return state().shift; }

key key_of(std::uint64_t key_code) { return key_from_virtual_key(key_code); }

} // namespace lcsdk::ui
