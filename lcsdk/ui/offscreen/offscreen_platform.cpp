#include "lcsdk/ui/offscreen/offscreen_platform.h"

#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/offscreen/native_bitmap_impl.h"
#include "lcsdk/ui/offscreen/native_drawer_impl.h"
#include "lcsdk/ui/offscreen/platform_state.h"
#include "lcsdk/ui/window.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace lcsdk::ui::offscreen {

namespace {

using detail::input_item;
using detail::input_kind;
using detail::state;

native_window::impl& native_of(const window& target)
{
    if (!target.native)
        throw std::logic_error("the window has no native window");
    return target.native->get_impl();
}

native_drawer::impl& drawer_of(const window& target)
{
    if (!target.drawer)
        throw std::logic_error("the window has no drawer: it was never created");
    return target.drawer->get_impl();
}

template <typename Fill>
void post_item(input_kind kind, Fill fill)
{
    input_item item = detail::make_input(kind);
    fill(item);
    detail::post(std::move(item));
}

void post_to(input_kind kind, const window& target)
{
    post_item(kind, [&](input_item& i) { i.target = native_of(target).self; });
}

std::uint32_t pixel_at(cairo_surface_t* image, int x, int y)
{
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(image) || y >= cairo_image_surface_get_height(image))
        throw std::out_of_range("pixel outside the image");
    cairo_surface_flush(image);
    const unsigned char* row = cairo_image_surface_get_data(image) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(image);
    // ARGB32 pixels are native-endian 32-bit words.
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

std::uint8_t unpremultiply(std::uint32_t channel, std::uint32_t alpha)
{
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

} // namespace

void reset()
{
    auto& st = state();
    st.layout = {};
    st.mouse = {};
    st.shift = false;
    st.cursor = 0;
    st.now = 0;
    st.idle_budget = detail::default_idle_budget_ms;
    st.queue.clear();
    st.capture = nullptr;
    st.focus = nullptr;
    st.modal_stack.clear();
}

void set_screen(const screen_layout& layout) { state().layout = layout; }
screen_layout screen() { return state().layout; }

void set_mouse_position(vec2i screen_point) { state().mouse = screen_point; }
vec2i mouse_position() { return state().mouse; }

void set_shift_down(bool down) { state().shift = down; }
int cursor_shape() { return state().cursor; }

std::uint64_t now_ms() { return state().now; }
void advance_clock(std::uint64_t ms) { detail::advance_until(state().now + ms, false); }
void set_idle_budget_ms(std::uint64_t ms) { state().idle_budget = ms; }

void post_mouse_move(vec2i screen_point)
{
    post_item(input_kind::mouse_move_screen, [&](input_item& i) { i.point = screen_point; });
}

void post_mouse_move(const window& target, vec2i client_point)
{
    post_item(input_kind::mouse_move_client, [&](input_item& i) {
        i.target = native_of(target).self;
        i.point = client_point;
    });
}

void post_button_down(int button)
{
    post_item(input_kind::button_down, [&](input_item& i) { i.value = button; });
}
void post_button_up(int button)
{
    post_item(input_kind::button_up, [&](input_item& i) { i.value = button; });
}
void post_double_click(int button)
{
    post_item(input_kind::double_click, [&](input_item& i) { i.value = button; });
}

void post_click(const window& target, vec2i client_point, int button)
{
    post_mouse_move(target, client_point);
    post_button_down(button);
    post_button_up(button);
}

void post_wheel(int delta)
{
    post_item(input_kind::wheel, [&](input_item& i) { i.value = delta; });
}

void post_key_down(std::uint32_t key_code, std::uint32_t native_detail)
{
    post_item(input_kind::key_down, [&](input_item& i) {
        i.key = key_code;
        i.detail = native_detail;
    });
}

void post_key_up(std::uint32_t key_code)
{
    post_item(input_kind::key_up, [&](input_item& i) { i.key = key_code; });
}
void post_char(std::uint16_t code_unit)
{
    post_item(input_kind::character, [&](input_item& i) { i.key = code_unit; });
}

void post_close(const window& target) { post_to(input_kind::close, target); }

void post_advance(std::uint64_t ms)
{
    post_item(input_kind::advance_by, [&](input_item& i) { i.ms = ms; });
}

void post_callback(std::function<void()> callback)
{
    post_item(input_kind::callback, [&](input_item& i) { i.callback = std::move(callback); });
}

std::size_t queued_input() { return state().queue.size(); }

std::size_t pump()
{
    auto& st = state();
    std::size_t processed = 0;
    while (!st.queue.empty()) {
        if (processed == detail::runaway_item_limit)
            throw modal_loop_starved("offscreen pump processed " + std::to_string(processed) +
                                     " queued items without running dry: something keeps posting input");
        input_item item = std::move(st.queue.front());
        st.queue.pop_front();
        detail::process(std::move(item), false);
        ++processed;
    }
    detail::paint_visible_windows();
    return processed;
}

void show(window& target)
{
    auto& d = native_of(target);
    if (!d.created)
        throw std::logic_error("show: the window was never created");
    if (!d.visible)
        detail::show_window(d);
}

bool is_visible(const window& target) { return native_of(target).visible; }
bool is_enabled(const window& target) { return native_of(target).enabled; }
bool has_focus(const window& target) { return state().focus == native_of(target).self; }
window* focused_window() { return state().focus ? state().focus->toolkit_window() : nullptr; }
bool has_capture(const window& target) { return state().capture == native_of(target).self; }
bool is_modal(const window& target) { return native_of(target).modal_running; }
rect_i window_rect(const window& target) { return native_of(target).rect; }
std::string title(const window& target) { return native_of(target).title; }
const timer_table& timers(const window& target) { return native_of(target).timers; }

const std::vector<accessibility::notification>& announcements(const window& target)
{
    return native_of(target).announcements;
}
void clear_announcements(window& target) { native_of(target).announcements.clear(); }

std::optional<rect_ltrb> pending_redraw(const window& target) { return native_of(target).dirty; }

bool paint_pending(window& target) { return detail::paint_window(native_of(target)); }

const std::vector<draw_op>& recorded_ops(const window& target) { return drawer_of(target).ops; }
void clear_recorded_ops(window& target) { drawer_of(target).ops.clear(); }
std::size_t painted_frames(const window& target) { return drawer_of(target).frames; }

vec2i image_size(const window& target)
{
    cairo_surface_t* image = drawer_of(target).image.get();
    return {cairo_image_surface_get_width(image), cairo_image_surface_get_height(image)};
}

std::uint32_t pixel_argb(const window& target, int x, int y) { return pixel_at(drawer_of(target).image.get(), x, y); }

rgba8 pixel_rgba(const window& target, int x, int y)
{
    const std::uint32_t p = pixel_argb(target, x, y);
    const std::uint32_t a = p >> 24;
    if (a == 0)
        return {};
    return {unpremultiply((p >> 16) & 0xff, a), unpremultiply((p >> 8) & 0xff, a), unpremultiply(p & 0xff, a),
            static_cast<std::uint8_t>(a)};
}

bool save_png(const window& target, const std::string& path)
{
    return cairo_surface_write_to_png(drawer_of(target).image.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void clear_image(window& target)
{
    cairo_surface_t* image = drawer_of(target).image.get();
    const detail::context_ptr cr(cairo_create(image));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr.get());
    cairo_surface_flush(image);
}

std::uint32_t bitmap_pixel_argb(const native_bitmap& bitmap, int x, int y)
{
    const auto& b = bitmap.get_impl();
    if (!b.pixels)
        throw std::logic_error("the bitmap holds no pixels");
    return pixel_at(b.pixels.get(), x, y);
}

} // namespace lcsdk::ui::offscreen
