#pragma once

// Control and inspection of the offscreen platform: a virtual screen, pointer, keyboard and clock,
// a queue of injected input that the modal loop runs on, and the drawing each window recorded.
// Only tests and developer tools use this header; toolkit code never does.

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/platform_input.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lcsdk::ui {

class native_bitmap;
class timer_table;
class widget;
class window;

namespace offscreen {

// Raised by a modal loop (or pump) that could only wait or spin forever: nothing queued and no
// timer, timers that used up the idle budget, painting that never settles, or input that keeps
// posting more input. A test fails instead of hanging.
class modal_loop_starved : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Virtual screen, pointer, keyboard and clock (process-wide) ----

struct screen_layout {
    rect_i screen{{0, 0}, {1920, 1080}};
    rect_i work_area{{0, 0}, {1920, 1040}}; // a 40-DIP task bar at the bottom
};

// Back to a fresh process: default screen, pointer at (0, 0), shift up, arrow cursor, clock at 0,
// empty input queue, no focus or capture, default idle budget. Live windows are kept.
void reset();

void set_screen(const screen_layout& layout);
screen_layout screen();

// Moves the pointer without any input (like a pointer that was already there).
void set_mouse_position(vec2i screen_point);
vec2i mouse_position();

void set_shift_down(bool down);
// The cursor kind last set; kinds the platform does not know read as the arrow (0).
int cursor_shape();

std::uint64_t now_ms();
// Moves the virtual clock forward now, firing every timer that falls due, in due order.
void advance_clock(std::uint64_t ms);
// Virtual time one modal loop may let pass on its own while waiting for its timers.
void set_idle_budget_ms(std::uint64_t ms);

// ---- Injected input: processed in order by the modal loop or by pump() ----

void post_mouse_move(vec2i screen_point);
void post_mouse_move(const window& target, vec2i client_point);
void post_button_down(int button = button_left);
void post_button_up(int button = button_left);
void post_double_click(int button = button_left);
// A move to the point, then a press and a release.
void post_click(const window& target, vec2i client_point, int button = button_left);
// Raw delta: 120 per notch away from the user.
void post_wheel(int delta);
// Keys go to the window that has the keyboard focus.
void post_key_down(std::uint32_t key_code, std::uint32_t native_detail = 0);
void post_key_up(std::uint32_t key_code);
void post_char(std::uint16_t code_unit);
// Like the close box or Alt+F4.
void post_close(const window& target);
void post_advance(std::uint64_t ms);
// Runs at its place in the queue, so a test can act or check in the middle of a modal loop.
void post_callback(std::function<void()> callback);

std::size_t queued_input();
// Processes every queued item without a modal loop, then paints what visible windows need.
// Returns the number of items processed.
std::size_t pump();

// ---- Windows ----

// Shows a window without a modal loop (it is activated and painted, as a modal window would be).
void show(window& target);
bool is_visible(const window& target);
bool is_enabled(const window& target);
bool has_focus(const window& target);
// The toolkit window that has the keyboard focus (a popup over its owner), or null.
window* focused_window();
bool has_capture(const window& target);
bool is_modal(const window& target);
// Client area in screen DIPs (there is no frame offscreen).
rect_i window_rect(const window& target);
std::string title(const window& target);
const timer_table& timers(const window& target);
// What the toolkit announced to assistive technology for the window, oldest first.
const std::vector<accessibility::notification>& announcements(const window& target);
void clear_announcements(window& target);

// The union of the redraw requests not yet painted, in window DIPs.
std::optional<rect_ltrb> pending_redraw(const window& target);
// Paints the pending redraws now, even for a hidden window. False when nothing was pending.
bool paint_pending(window& target);

// ---- What the drawer did ----

enum class op_kind {
    begin_widget,
    end_widget,
    fill_rect,
    draw_rect,
    draw_line,
    draw_shadow,
    draw_image,
    draw_image_fit,
    draw_text,
    draw_html, // rect: the layout's box; text: its plain text
};

// The drawer state in force when an operation ran.
struct drawer_state {
    color4f fill_color{0, 0, 0, 1};
    color4f line_color{1, 1, 1, 1};
    color4f text_color{1, 1, 1, 1};
    float line_width = 1.0f;
    int line_style = 0; // 0 solid, 1 dotted
    std::string font_family = "Verdana";
    float font_size = 12.0f;
    int font_weight_kind = 0;
    int font_style_kind = 0;
    int font_weight = 400; // 300, 400 or 700
    bool italic = false;
    int h_align_kind = 0;
    int v_align_kind = 1;
    h_align text_h = h_align_left; // resolved alignment
    v_align text_v = v_align_top;
};

struct draw_op {
    op_kind kind = op_kind::fill_rect;
    drawer_state state;
    vec2i origin;                 // window position of the entered widget's top-left corner
    std::vector<rect_ltrb> clips; // window DIPs, outermost first: paint rectangle, widget, ...
    rect_ltrb clip;               // intersection of the clips
    bool in_frame = false;        // false when drawn outside begin_widget/end_widget: nothing painted

    const widget* entered = nullptr; // begin_widget: identity only, may be gone by now
    std::string widget_name;
    rect_ltrb paint_rect; // begin_widget

    rect_i rect;        // fill/draw_rect, shadow rectangle, text box, image_fit rectangle
    vec2i from, to;     // draw_line
    vec2i offset;       // draw_shadow
    unsigned shadow_size = 0;
    rect_i source;      // draw_image: source in the image's DIPs
    rect_i destination; // both image operations: where the image went, widget DIPs
    const native_bitmap* bitmap = nullptr; // identity only
    _vec2<std::uint32_t> bitmap_pixels;
    float bitmap_scale = 1.0f;
    std::string text;
};

const std::vector<draw_op>& recorded_ops(const window& target);
void clear_recorded_ops(window& target);
// Completed paint passes (outermost begin_widget to its end_widget).
std::size_t painted_frames(const window& target);

struct rgba8 {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend constexpr bool operator==(const rgba8&, const rgba8&) = default;
};

// The window's image: one pixel per DIP, premultiplied 32-bit ARGB, transparent until painted.
vec2i image_size(const window& target);
std::uint32_t pixel_argb(const window& target, int x, int y); // premultiplied
rgba8 pixel_rgba(const window& target, int x, int y);          // unpremultiplied
bool save_png(const window& target, const std::string& path);
// Makes every pixel transparent again (a real render target is never cleared by the drawer).
void clear_image(window& target);

// A decoded bitmap's pixel, premultiplied ARGB.
std::uint32_t bitmap_pixel_argb(const native_bitmap& bitmap, int x, int y);

} // namespace offscreen
} // namespace lcsdk::ui
