#pragma once

// Helpers for widget tests: a shown window on the offscreen platform, image strips made on the
// fly, and the drawing operations one widget recorded.

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/widget_themes.h"
#include "lcsdk/ui/window.h"
#include "support/toolkit_test.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace lcsdk::testing {

using ui::offscreen::draw_op;
using ui::offscreen::op_kind;

// A PNG strip of equal frames stacked vertically, each frame one solid colour.
inline std::vector<unsigned char> png_strip(ui::vec2i frame, const std::vector<ui::color4f>& colours)
{
    const int frames = static_cast<int>(colours.size());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.x, frame.y * frames);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < frames; ++i) {
        const ui::color4f c = colours[static_cast<std::size_t>(i)];
        cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
        cairo_rectangle(cr, 0, frame.y * i, frame.x, frame.y);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    std::vector<unsigned char> png;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<unsigned char>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(surface);
    return png;
}

// Puts an image style into the widget's own table and announces the change as set_style would.
inline void set_image_style(ui::widget& target, const char* key, const std::vector<unsigned char>& png, int frames)
{
    target.theme.values[key] = ui::image_style({png.data(), png.size(), frames, 1.0f});
    ui::dispatch(&target, ui::style_changed, reinterpret_cast<std::uint64_t>(key));
}

// The operations recorded while `target` was the innermost widget being painted.
inline std::vector<draw_op> ops_of(const ui::window& win, const ui::widget& target)
{
    std::vector<draw_op> result;
    std::vector<const ui::widget*> entered;
    for (const draw_op& op : ui::offscreen::recorded_ops(win)) {
        if (op.kind == op_kind::begin_widget) {
            entered.push_back(op.entered);
        } else if (op.kind == op_kind::end_widget) {
            if (!entered.empty())
                entered.pop_back();
        } else if (!entered.empty() && entered.back() == &target) {
            result.push_back(op);
        }
    }
    return result;
}

inline std::vector<draw_op> ops_of(const ui::window& win, const ui::widget& target, op_kind kind)
{
    std::vector<draw_op> result;
    for (draw_op& op : ops_of(win, target))
        if (op.kind == kind)
            result.push_back(std::move(op));
    return result;
}

inline bool near(ui::color4f a, ui::color4f b)
{
    return std::fabs(a.r - b.r) < 1e-4f && std::fabs(a.g - b.g) < 1e-4f && std::fabs(a.b - b.b) < 1e-4f &&
           std::fabs(a.a - b.a) < 1e-4f;
}

// Records the parameters of one event kind raised by a sender.
class event_recorder {
public:
    event_recorder(ui::event_object& sender, std::int32_t kind)
    {
        ui::add_handler(&sender, &owner_, kind, [this](const ui::event_info& info) { params.push_back(info.param); });
    }
    std::vector<std::uint64_t> params;

private:
    struct owner_object : ui::event_object {} owner_;
};

// A created, shown 400 x 300 window at (100, 100) of the virtual screen.
class widget_test : public toolkit_test {
protected:
    widget_test() { win.create("widgets", {{100, 100}, {400, 300}}); ui::offscreen::show(win); }

    // Paints what is pending, forgetting earlier recordings first.
    void repaint()
    {
        ui::offscreen::clear_recorded_ops(win);
        ui::offscreen::paint_pending(win);
    }
    // Paints the whole window again, forgetting earlier recordings first.
    void repaint_all()
    {
        win.root.invalidate();
        repaint();
    }

    ui::window win;
};

} // namespace lcsdk::testing
