#pragma once

#include "event_log.h"

#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include <functional>
#include <string>

namespace toolkit_demo {

// A widget filled with its back colour, with optional drawing of its own on top.
class panel : public lcsdk::ui::widget {
public:
    using painter = std::function<void(lcsdk::ui::native_drawer&, const panel&)>;

    panel(const std::string& panel_name, lcsdk::ui::color4f back_color, painter extra = {});

private:
    void on_created();
    void paint();

    lcsdk::ui::color4f back_color_;
    painter extra_;
};

struct demo_options {
    lcsdk::ui::rect_i rect{{0, 0}, {480, 360}};
    bool centred = true;
    std::uint32_t timer_interval_ms = 250;
};

// The demo's one window: coloured panels, text, images, dotted lines, a shadowed child and a timer,
// with every toolkit event they receive written to the log.
class demo_window : public lcsdk::ui::window {
public:
    demo_window(examples::event_log& log, const demo_options& options);
    ~demo_window() override;

    int run();

private:
    void build();
    void watch(lcsdk::ui::event_object& sender, const std::string& sender_name);
    void paint_root(lcsdk::ui::native_drawer& drawer);
    void paint_text(lcsdk::ui::native_drawer& drawer, const panel& target);
    void paint_images(lcsdk::ui::native_drawer& drawer);
    void paint_lines(lcsdk::ui::native_drawer& drawer);
    void paint_banner(lcsdk::ui::native_drawer& drawer, const panel& target);
    void log_measurements();

    examples::event_log& log_;
    demo_options options_;
    lcsdk::ui::native_bitmap checkbox_;
    lcsdk::ui::native_bitmap folder_;
    lcsdk::ui::native_bitmap pack_;
    lcsdk::ui::native_bitmap virtual_;
    lcsdk::ui::native_bitmap scroll_arrow_;
    lcsdk::ui::native_bitmap banner_;
    panel red_;
    panel green_;
    panel blue_;
    panel text_;
    panel images_;
    panel lines_;
    panel banner_panel_;
    panel shadowed_;
};

} // namespace toolkit_demo
