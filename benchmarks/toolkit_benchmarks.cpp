#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/widget_themes.h"
#include "lcsdk/ui/window.h"

#include <benchmark/benchmark.h>

#include <array>
#include <deque>

using namespace lcsdk::ui;

namespace {

void dispatch_to_three_handlers(benchmark::State& state)
{
    struct sender_object : event_object {} sender;
    int calls = 0;
    for (int i = 0; i < 3; ++i)
        add_handler(&sender, &sender, mouse_move, [&calls](const event_info&) { ++calls; });
    for (auto _ : state)
        benchmark::DoNotOptimize(dispatch(&sender, mouse_move, 0));
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(dispatch_to_three_handlers);

void style_read_through_alias_into_global_styles(benchmark::State& state)
{
    style_map globals = make_style_map();
    globals.emplace("title_font_size", float_style(15.0f));
    set_global_styles(globals);
    struct owner_object : event_object {} owner;
    style_table table(&owner);
    set_alias(table, "label_font_size", "title_font_size");
    for (auto _ : state)
        benchmark::DoNotOptimize(get_float(table, "label_font_size"));
    set_global_styles(make_style_map());
}
BENCHMARK(style_read_through_alias_into_global_styles);

void hit_test_four_levels(benchmark::State& state)
{
    window win;
    win.create("bench", {{0, 0}, {800, 600}});
    // Four levels below the root, five siblings on each, the probe point on the last sibling's path.
    std::deque<widget> widgets;
    widget* parent_widget = &win.root;
    for (int level = 0; level < 4; ++level) {
        widget* last = nullptr;
        for (int i = 0; i < 5; ++i) {
            widget& w = widgets.emplace_back();
            w.create(*parent_widget, {{i * 20, i * 20}, {400 - level * 80, 400 - level * 80}});
            last = &w;
        }
        parent_widget = last;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(win.hit_test({500, 500}));
}
BENCHMARK(hit_test_four_levels);

void paint_pass_forty_widgets(benchmark::State& state)
{
    window win;
    win.create("bench", {{0, 0}, {640, 480}});
    std::deque<widget> widgets;
    for (int panel = 0; panel < 8; ++panel) {
        widget& p = widgets.emplace_back();
        p.create(win.root, {{(panel % 4) * 160, (panel / 4) * 240}, {150, 230}});
        p.has_shadow = panel % 2 == 0;
        add_handler(&p, &p, paint_event, [&p](const event_info&) {
            native_drawer& d = *p.top_window->drawer;
            d.set_fill_color(get_color(p.theme, "button_color_normal"));
            d.fill_rect({{0, 0}, p.size});
        });
        for (int item = 0; item < 4; ++item) {
            widget& w = widgets.emplace_back();
            w.create(p, {{10, 10 + item * 50}, {130, 40}});
            add_handler(&w, &w, paint_event, [&w](const event_info&) {
                native_drawer& d = *w.top_window->drawer;
                d.set_line_color(get_color(w.theme, "button_border_color_focus"), 1.0f);
                d.draw_rect({{0, 0}, w.size});
                d.set_font(get_string(w.theme, "button_font_name"), get_float(w.theme, "button_font_size"), 2, 0);
                d.set_text_color(get_color(w.theme, "button_font_color"));
                d.set_text_alignment(1, 0);
                d.draw_text({{0, 0}, w.size}, "Label");
            });
        }
    }
    for (auto _ : state)
        win.paint({0, 0, 640, 480});
    state.counters["widgets"] = static_cast<double>(win.routing().widgets().size());
}
BENCHMARK(paint_pass_forty_widgets)->Unit(benchmark::kMicrosecond);

} // namespace
