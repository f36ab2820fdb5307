// Text through the Cocoa drawer beside the same text drawn by Cocoa itself where the macOS text
// rules put it (one point right of the box; vertically by the box's alignment, a text of two lines
// as a whole), the fonts that the toolkit's family names give, the outcome of
// loading bytes that are and are not images, a window made and destroyed, and a modal loop ended
// by a timer. The GNUstep tests compare the two sides pixel for
// pixel and read the loads from the log:
//   drawer_probe --log <file>
#include "cocoa_application.h"
#include "event_log.h"
#include "example_window.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/cocoa/native_drawer_impl.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/toolkit_images.h"
#include "lcsdk/ui/window.h"

#import <AppKit/AppKit.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ui = lcsdk::ui;

namespace {

constexpr const char* sample_text = "Hg";
constexpr float font_size = 16.0f;
constexpr int box_left = 20;
constexpr int reference_offset = 200; // the Cocoa side starts this far right of the drawer side
constexpr ui::vec2i box_size{150, 40};

struct alignment_case {
    int vertical_kind;
    int top;
    const char* text;
    int width; // of the box; the narrow one wraps its text into two lines
};
constexpr std::array<alignment_case, 4> cases{{{ui::v_align_top, 20, sample_text, box_size.x},
                                               {ui::v_align_center, 70, sample_text, box_size.x},
                                               {ui::v_align_bottom, 120, sample_text, box_size.x},
                                               {ui::v_align_center, 170, "Hg Hg", 40}}};

// A window made and destroyed outside any modal loop, with the objects its creation autoreleased
// already gone: nothing but the native window keeps its view and delegate alive, so a message to
// either after its release is reported (the tests run with zombies on).
void make_and_destroy_window()
{
    std::optional<ui::window> short_lived;
    {
        NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
        short_lived.emplace();
        short_lived->create("Short-lived", {{0, 0}, {120, 40}});
        [pool drain];
    }
    short_lived.reset();
}

// A modal loop ended from a timer's tick, with no input to wake it: logs "timer_end <result>" once
// the loop has returned.
void end_from_timer(examples::event_log& log)
{
    ui::window timed;
    timed.create("Timed", {{0, 0}, {120, 40}});
    ui::add_handler(&timed.root, &timed, ui::timer_tick, [&timed](const ui::event_info&) { timed.end_modal(3); });
    timed.native->add_timer(&timed.root, 1, 50, true);
    log.line("timer_end " + std::to_string(timed.show_modal()));
}

class probe_window : public ui::window {
public:
    explicit probe_window(examples::event_log& log) : log_(log)
    {
        create("Drawer probe", {{0, 0}, {400, 230}});
        ui::add_handler(&root, this, ui::paint_event, [this](const ui::event_info&) { paint(); });
        ui::add_handler(this, this, ui::shown, [this](const ui::event_info&) {
            log_.line("event window 25 0");
            log_transparent_start();
        });
        examples::end_on_escape(*this);
        native->center_window();
        log_loads();
        log_fonts();
    }

private:
    void paint()
    {
        drawer->set_fill_color({1, 1, 1, 1});
        drawer->fill_rect({{0, 0}, root.size});
        drawer->set_fill_color(examples::marker_color);
        drawer->fill_rect({{0, 0}, {6, 6}});
        drawer->set_text_color({0, 0, 0, 1});
        drawer->set_font("DejaVu Sans", font_size, ui::font_weight_normal, ui::font_style_normal);

        NSFont* font = [[NSFontManager sharedFontManager] fontWithFamily:@"DejaVu Sans" traits:0 weight:5 size:font_size];
        NSDictionary* attributes = [NSDictionary dictionaryWithObjectsAndKeys:font, NSFontAttributeName, [NSColor blackColor],
                                                                             NSForegroundColorAttributeName, nil];
        for (const alignment_case& c : cases) {
            drawer->set_text_alignment(ui::h_align_left, c.vertical_kind);
            drawer->draw_text({{box_left, c.top}, {c.width, box_size.y}}, c.text);
            NSString* text = [NSString stringWithUTF8String:c.text];
            const CGFloat text_height =
                NSHeight([text boundingRectWithSize:NSMakeSize(c.width, 1000) options:NSStringDrawingUsesLineFragmentOrigin
                                         attributes:attributes]);
            CGFloat y = c.top;
            if (c.vertical_kind == ui::v_align_center)
                y = c.top - 2 + (box_size.y - text_height) * 0.5;
            else if (c.vertical_kind == ui::v_align_bottom)
                y = box_size.y - text_height + c.top + 2;
            [text drawInRect:NSMakeRect(reference_offset + box_left + 1, y, c.width, 1000) withAttributes:attributes];
        }
    }

    // The window's view drawn into an image that starts transparent, as a layer-backed view's
    // buffer does on macOS: "transparent_start <r> <g> <b> <a>" of a point of the white fill.
    void log_transparent_start()
    {
        NSView* view = [static_cast<NSWindow*>(native->native_handle()) contentView];
        const NSRect bounds = [view bounds];
        NSImage* image = [[[NSImage alloc] initWithSize:bounds.size] autorelease];
        [image lockFocus];
        NSAffineTransform* flip = [NSAffineTransform transform];
        [flip translateXBy:0 yBy:NSHeight(bounds)];
        [flip scaleXBy:1 yBy:-1];
        [flip concat];
        [view drawRect:bounds];
        NSBitmapImageRep* drawn = [[[NSBitmapImageRep alloc] initWithFocusedViewRect:bounds] autorelease];
        [image unlockFocus];
        NSUInteger pixel[4] = {0, 0, 0, 0};
        [drawn getPixel:pixel atX:390 y:170];
        std::string line = "transparent_start";
        for (const NSUInteger sample : pixel)
            line += " " + std::to_string(sample);
        log_.line(line);
    }

    // "font <family asked for> <weight kind> <family given> <bold>" for the names the wizard's styles
    // use, in lower case as Windows takes them.
    void log_fonts()
    {
        for (const int weight : {ui::font_weight_normal, ui::font_weight_bold}) {
            for (const char* family : {"tahoma", "verdana"}) {
                drawer->set_font(family, 11.0f, weight, ui::font_style_normal);
                NSFont* font = drawer->get_impl().font;
                const bool bold = ([[NSFontManager sharedFontManager] traitsOfFont:font] & NSBoldFontMask) != 0;
                log_.line(std::string("font ") + family + " " + std::to_string(weight) + " " +
                          [[font familyName] UTF8String] + " " + (bold ? "1" : "0"));
            }
        }
    }

    // "load <name> <result> <loaded afterwards> <pixel size>" for bytes that are and are not images.
    void log_loads()
    {
        const ui::image_ref image = ui::images::checkbox_image();
        const auto* png = static_cast<const unsigned char*>(image.data);
        const std::vector<unsigned char> truncated(png, png + 100);
        const std::string garbage = "these bytes are no picture at all";
        ui::native_bitmap bitmap;
        const auto load = [&](const char* name, const void* bytes, std::size_t count) {
            const bool result = bitmap.load_from_memory(bytes, count, 1.0f);
            log_.line(std::string("load ") + name + " " + (result ? "1" : "0") + " " + (bitmap.is_loaded() ? "1" : "0") +
                      " " + std::to_string(bitmap.pixel_size().x) + "x" + std::to_string(bitmap.pixel_size().y));
        };
        load("garbage", garbage.data(), garbage.size());
        load("truncated", truncated.data(), truncated.size());
        load("checkbox", image.data, static_cast<std::size_t>(image.size));
        load("garbage_after_image", garbage.data(), garbage.size());
    }

    examples::event_log& log_;
};

} // namespace

int main(int argc, char** argv)
{
    std::FILE* file = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--log")
            file = std::fopen(argv[i + 1], "w");
    }
    examples::event_log log(file);
    const int result = examples::run_cocoa_application([&] {
        make_and_destroy_window();
        end_from_timer(log);
        probe_window probe(log);
        return probe.show_modal();
    });
    return 40 + result;
}
