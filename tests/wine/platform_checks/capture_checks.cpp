#include "check.h"
#include "cursor.h"
#include "recorder.h"

#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/widgets/generic_panel.h"
#include "lcsdk/ui/widgets/scroll_bar.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace ui = lcsdk::ui;

namespace platform_checks {

namespace {

// A 200 x 200 viewport with a panel 1000 DIPs too tall, and a vertical bar with arrow buttons
// beside it: its thumb is 16 DIPs long, just below the start button.
struct scrolled_window {
    scrolled_window()
    {
        w.create("capture", {{40, 40}, {240, 220}});
        viewport.create(w.root, {{10, 10}, {200, 200}});
        content.create(viewport, {{0, 0}, {200, 1200}});
        bar.create(w.root, {{220, 10}, {16, 200}});
        bar.set_scroll_panel(&content);
        seen.watch(bar, "bar", {ui::mouse_up});
        ShowWindow(handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(handle());
    }
    ~scrolled_window() { ShowWindow(handle(), SW_HIDE); }

    HWND handle() { return w.native->get_impl().handle; }

    // Puts the pointer on a point of the bar, in DIPs of the bar, and tells the window it moved.
    void point_at(ui::vec2i on_bar)
    {
        const int dpi = w.native->get_impl().dpi_x;
        POINT at{MulDiv(220 + on_bar.x, dpi, 96), MulDiv(10 + on_bar.y, dpi, 96)};
        ClientToScreen(handle(), &at);
        move_cursor(at);
        SendMessageW(handle(), WM_MOUSEMOVE, 0, 0);
    }

    // Presses on the thumb and drags it 40 DIPs down.
    void start_drag()
    {
        point_at({8, 24});
        point_at({8, 24});
        SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        point_at({8, 64});
    }

    int scrolled() const { return -content.position.y; }
    std::size_t releases() const { return seen.events.size(); }

    ui::window w;
    ui::GenericPanel viewport;
    ui::GenericPanel content;
    ui::ScrollBar bar{ui::ScrollBar::vertical, true};
    recorder seen;
};

} // namespace

void check_capture_loss(results& r)
{
    r.section("capture loss");
    scrolled_window s;

    // The toolkit's own release ends the drag once; its WM_CAPTURECHANGED is no loss.
    s.start_drag();
    r.expect(s.bar.dragging && ui::get_captured_widget() == &s.bar && GetCapture() == s.handle(),
             "a press on the thumb starts a drag that holds the capture");
    r.expect(s.scrolled() > 0, "the dragged thumb scrolls the panel, to " + std::to_string(s.scrolled()));
    SendMessageW(s.handle(), WM_LBUTTONUP, 0, 0);
    r.expect(!s.bar.dragging && ui::get_captured_widget() == nullptr && GetCapture() == nullptr,
             "the release ends the drag and frees the capture");
    r.expect(s.releases() == 1, "the bar hears one release, got " + std::to_string(s.releases()));
    s.content.set_rect({{0, 0}, {200, 1200}});

    // A second window takes the capture in the middle of a drag.
    ui::window other;
    other.create("capture thief", {{300, 40}, {100, 80}});
    s.seen.events.clear();
    s.start_drag();
    r.expect(s.bar.dragging && GetCapture() == s.handle(), "a second drag holds the capture");
    SetCapture(other.native->get_impl().handle);
    r.expect(!s.bar.dragging, "losing the capture to another window ends the drag");
    r.expect(ui::get_captured_widget() == nullptr, "and drops the toolkit's capture");
    r.expect(s.releases() == 1, "the bar hears the release that did not come, once");
    r.expect(GetCapture() == other.native->get_impl().handle, "the other window keeps the capture it took");
    const int after_loss = s.scrolled();
    s.point_at({8, 120});
    r.expect(s.scrolled() == after_loss, "the thumb no longer follows the pointer: " + std::to_string(after_loss) +
                                             " became " + std::to_string(s.scrolled()));
    ReleaseCapture();
    s.content.set_rect({{0, 0}, {200, 1200}});

    // A widget of the other window captures the mouse in the middle of a drag.
    ui::widget thief;
    thief.create(other.root, {{0, 0}, {20, 20}});
    s.seen.events.clear();
    s.start_drag();
    ui::capture_widget(thief);
    r.expect(!s.bar.dragging && s.releases() == 1, "a widget of another window that captures the mouse ends the drag");
    r.expect(ui::get_captured_widget() == &thief && GetCapture() == other.native->get_impl().handle,
             "and holds both captures");
    ui::release_widget(thief);
    r.expect(GetCapture() == nullptr, "its release frees the capture");
    s.content.set_rect({{0, 0}, {200, 1200}});

    // The system cancels the mode, as when a window comes up over this one.
    s.seen.events.clear();
    s.start_drag();
    SendMessageW(s.handle(), WM_CANCELMODE, 0, 0);
    r.expect(!s.bar.dragging && ui::get_captured_widget() == nullptr, "WM_CANCELMODE ends the drag");
    r.expect(GetCapture() == nullptr, "and the window lets the capture go");
    r.expect(s.releases() == 1, "with one release, got " + std::to_string(s.releases()));
    s.content.set_rect({{0, 0}, {200, 1200}});

    // A popup opening disables its owner, which cancels the drag there.
    s.seen.events.clear();
    s.start_drag();
    EnableWindow(s.handle(), FALSE);
    r.expect(!s.bar.dragging && ui::get_captured_widget() == nullptr, "disabling the window ends the drag");
    r.expect(s.releases() == 1, "with one release, got " + std::to_string(s.releases()));
    EnableWindow(s.handle(), TRUE);
}

} // namespace platform_checks
