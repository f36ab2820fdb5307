#include "lcsdk/ui/native_drawer.h"

#include "lcsdk/ui/drawing_geometry.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/offscreen/native_bitmap_impl.h"
#include "lcsdk/ui/offscreen/native_drawer_impl.h"
#include "lcsdk/ui/offscreen/platform_state.h"
#include "lcsdk/ui/offscreen/text_layout.h"
#include "lcsdk/ui/widget.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace lcsdk::ui {

namespace {

using offscreen::draw_op;
using offscreen::op_kind;
using namespace offscreen::detail;

offscreen::detail::surface_ptr make_image(vec2i size)
{
    surface_ptr image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(size.x, 0), std::max(size.y, 0)));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("unable to create the offscreen window image");
    return image;
}

void set_source(cairo_t* cr, color4f c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

// Clips never grow back out of an inverted rectangle.
void clip_to(cairo_t* cr, double left, double top, double right, double bottom)
{
    cairo_rectangle(cr, left, top, std::max(right - left, 0.0), std::max(bottom - top, 0.0));
    cairo_clip(cr);
}

rect_ltrb intersection(const std::vector<rect_ltrb>& clips)
{
    if (clips.empty())
        return {};
    rect_ltrb r = clips.front();
    for (const rect_ltrb& c : clips) {
        r.left = std::max(r.left, c.left);
        r.top = std::max(r.top, c.top);
        r.right = std::min(r.right, c.right);
        r.bottom = std::min(r.bottom, c.bottom);
    }
    return r;
}

bool drawable_width(float w) { return std::isfinite(w) && w > 0; }

// The shadow's 21 stops: opaque at the inner edge, falling off like a Gaussian; the last stop
// sits at 20/21 and its colour repeats beyond it.
void add_shadow_stops(cairo_pattern_t* gradient)
{
    for (int i = 0; i <= 20; ++i) {
        const float m = 1.0f - 0.1f * static_cast<float>(i);
        const float alpha = std::pow(3.0f, -((m - 1.0f) * (m - 1.0f)) / 0.72f);
        cairo_pattern_add_color_stop_rgba(gradient, static_cast<double>(i) / 21.0, 0, 0, 0, alpha);
    }
    cairo_pattern_set_extend(gradient, CAIRO_EXTEND_PAD);
}

void fill_box(cairo_t* cr, cairo_pattern_t* paint, rect_ltrb area)
{
    cairo_set_source(cr, paint);
    cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
    cairo_fill(cr);
}

void fill_radial(cairo_t* cr, rect_ltrb area, vec2i centre, int radius)
{
    pattern_ptr gradient(cairo_pattern_create_radial(centre.x, centre.y, 0, centre.x, centre.y, radius));
    add_shadow_stops(gradient.get());
    fill_box(cr, gradient.get(), area);
}

void fill_linear(cairo_t* cr, rect_ltrb area, vec2i opaque_end, vec2i clear_end)
{
    pattern_ptr gradient(cairo_pattern_create_linear(opaque_end.x, opaque_end.y, clear_end.x, clear_end.y));
    add_shadow_stops(gradient.get());
    fill_box(cr, gradient.get(), area);
}

// Paints the source rectangle (image pixels) of a bitmap stretched over the destination (DIPs),
// sampling bilinearly and never outside the source rectangle.
void paint_bitmap(cairo_t* cr, cairo_surface_t* pixels, double sx, double sy, double sw, double sh, rect_i destination)
{
    if (sw <= 0 || sh <= 0 || destination.size.x <= 0 || destination.size.y <= 0)
        return;
    const int image_w = cairo_image_surface_get_width(pixels);
    const int image_h = cairo_image_surface_get_height(pixels);
    const double left = std::clamp(std::floor(sx), 0.0, static_cast<double>(image_w));
    const double top = std::clamp(std::floor(sy), 0.0, static_cast<double>(image_h));
    const double right = std::clamp(std::ceil(sx + sw), left, static_cast<double>(image_w));
    const double bottom = std::clamp(std::ceil(sy + sh), top, static_cast<double>(image_h));
    if (right <= left || bottom <= top)
        return;

    surface_ptr part(cairo_surface_create_for_rectangle(pixels, left, top, right - left, bottom - top));
    pattern_ptr pattern(cairo_pattern_create_for_surface(part.get()));
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    cairo_matrix_t to_source;
    cairo_matrix_init_translate(&to_source, sx - left, sy - top);
    cairo_matrix_scale(&to_source, sw / destination.size.x, sh / destination.size.y);
    cairo_matrix_translate(&to_source, -destination.position.x, -destination.position.y);
    cairo_pattern_set_matrix(pattern.get(), &to_source);

    cairo_set_source(cr, pattern.get());
    cairo_rectangle(cr, destination.position.x, destination.position.y, destination.size.x, destination.size.y);
    cairo_fill(cr);
}

const native_bitmap::impl& loaded_pixels(native_bitmap& bitmap)
{
    const auto& b = bitmap.get_impl();
    // On Windows an image that is not loaded has no device bitmap to draw: callers check first.
    if (!bitmap.is_loaded() || !b.pixels)
        throw std::runtime_error("unable to draw a bitmap that is not loaded");
    return b;
}

} // namespace

native_drawer::native_drawer(native_window& target) : impl_(std::make_unique<impl>())
{
    auto& d = *impl_;
    d.target = &target;
    d.image = make_image(target.get_impl().rect.size);
    d.draw_text_context = make_text_context();
    d.measure_context = make_text_context();
}

native_drawer::~native_drawer() = default;

draw_op& native_drawer::impl::record(op_kind kind)
{
    draw_op op;
    op.kind = kind;
    op.state = state;
    op.origin = origin;
    op.clips = clips;
    op.clip = intersection(clips);
    op.in_frame = frame != nullptr;
    ops.push_back(std::move(op));
    return ops.back();
}

namespace {

draw_op& record(native_drawer::impl& d, op_kind kind) { return d.record(kind); }

// Each drawing call paints in its own save/restore so that its settings do not leak.
struct paint_scope {
    cairo_t* cr;
    explicit paint_scope(cairo_t* context) : cr(context) { cairo_save(cr); }
    ~paint_scope() { cairo_restore(cr); }
    paint_scope(const paint_scope&) = delete;
    paint_scope& operator=(const paint_scope&) = delete;
};

// Outlines and lines are drawn aliased, with flat caps and the dotted dash measured in line widths.
void prepare_stroke(cairo_t* cr, const offscreen::drawer_state& s)
{
    set_source(cr, s.line_color);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, s.line_width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 10.0);
    if (s.line_style == 1) {
        const std::array<double, 2> dashes{s.line_width, s.line_width};
        cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0.0);
    }
}

} // namespace

bool native_drawer::draws(drawer_feature /*feature: the neutral build draws what Windows draws*/) const { return true; }

void native_drawer::set_fill_color(color4f color) { impl_->state.fill_color = color; }

void native_drawer::set_line_color(color4f color, float width)
{
    impl_->state.line_color = color;
    impl_->state.line_width = width;
}

void native_drawer::set_line_style(int style) { impl_->state.line_style = style; }

void native_drawer::set_text_color(color4f color) { impl_->state.text_color = color; }

void native_drawer::set_font(const std::string& family_utf8, float size, int weight_kind, int style_kind)
{
    auto& s = impl_->state;
    s.font_family = family_utf8;
    s.font_size = size;
    s.font_weight_kind = weight_kind;
    s.font_style_kind = style_kind;
    s.font_weight = weight_kind == font_weight_light ? 300 : weight_kind == font_weight_bold ? 700 : 400;
    s.italic = style_kind == font_style_italic;
}

void native_drawer::set_text_alignment(int horizontal_kind, int vertical_kind)
{
    auto& s = impl_->state;
    s.h_align_kind = horizontal_kind;
    s.v_align_kind = vertical_kind;
    s.text_h = (horizontal_kind == h_align_left || horizontal_kind == h_align_right) ? static_cast<h_align>(horizontal_kind)
                                                                                     : h_align_center;
    s.text_v = (vertical_kind == v_align_top || vertical_kind == v_align_bottom) ? static_cast<v_align>(vertical_kind)
                                                                                 : v_align_center;
}

void native_drawer::begin_widget(const widget& target, rect_ltrb paint_rect)
{
    auto& d = *impl_;
    if (d.stack.empty()) {
        // The outermost widget starts a frame.
        d.origin = {0, 0};
        d.frame.reset(cairo_create(d.image.get()));
    }
    d.stack.push_back({&target, d.origin});

    cairo_t* cr = d.frame.get();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    clip_to(cr, paint_rect.left, paint_rect.top, paint_rect.right, paint_rect.bottom);
    const vec2i at = d.origin + target.position;
    cairo_translate(cr, at.x, at.y);
    clip_to(cr, 0, 0, target.size.x, target.size.y);

    d.clips.push_back(paint_rect);
    d.clips.push_back({at.x, at.y, at.x + target.size.x, at.y + target.size.y});
    d.origin = at;

    draw_op& op = record(d, op_kind::begin_widget);
    op.entered = &target;
    op.widget_name = target.name;
    op.paint_rect = paint_rect;
}

void native_drawer::end_widget()
{
    auto& d = *impl_;
    if (d.stack.empty())
        return;
    record(d, op_kind::end_widget);

    d.origin = d.stack.back().origin_before;
    d.stack.pop_back();
    d.clips.resize(d.clips.size() >= 2 ? d.clips.size() - 2 : 0);
    cairo_restore(d.frame.get());

    if (d.stack.empty()) {
        d.frame.reset();
        cairo_surface_flush(d.image.get());
        ++d.frames;
        if (d.pending_size) {
            const vec2i size = *d.pending_size;
            d.pending_size.reset();
            resize(size);
        }
    }
}

void native_drawer::fill_rect(rect_i rect)
{
    auto& d = *impl_;
    record(d, op_kind::fill_rect).rect = rect;
    if (!d.frame)
        return;
    paint_scope scope(d.frame.get());
    set_source(scope.cr, d.state.fill_color);
    cairo_rectangle(scope.cr, rect.position.x, rect.position.y, rect.size.x, rect.size.y);
    cairo_fill(scope.cr);
}

void native_drawer::draw_rect(rect_i rect)
{
    auto& d = *impl_;
    record(d, op_kind::draw_rect).rect = rect;
    const float w = d.state.line_width;
    if (!d.frame || !drawable_width(w))
        return;
    // The outline is inset by half its width so that it stays inside the rectangle.
    const double half = w / 2.0f;
    const double left = rect.position.x + half;
    const double top = rect.position.y + half;
    const double right = rect.position.x + rect.size.x - half;
    const double bottom = rect.position.y + rect.size.y - half;

    paint_scope scope(d.frame.get());
    prepare_stroke(scope.cr, d.state);
    cairo_rectangle(scope.cr, left, top, right - left, bottom - top);
    cairo_stroke(scope.cr);
}

void native_drawer::draw_line(vec2i from, vec2i to)
{
    auto& d = *impl_;
    draw_op& op = record(d, op_kind::draw_line);
    op.from = from;
    op.to = to;
    const float w = d.state.line_width;
    if (!d.frame || !drawable_width(w))
        return;
    // Odd widths move onto pixel centres so that a 1-DIP line covers exactly one row or column.
    float whole = 0;
    const double shift = std::modf(w / 2.0f, &whole);

    paint_scope scope(d.frame.get());
    prepare_stroke(scope.cr, d.state);
    cairo_move_to(scope.cr, from.x + shift, from.y + shift);
    cairo_line_to(scope.cr, to.x + shift, to.y + shift);
    cairo_stroke(scope.cr);
}

void native_drawer::draw_shadow(rect_i rect, vec2i offset, unsigned size)
{
    auto& d = *impl_;
    draw_op& op = record(d, op_kind::draw_shadow);
    op.rect = rect;
    op.offset = offset;
    op.shadow_size = size;
    if (!d.frame)
        return;

    const shadow_geometry g = shadow_pieces(rect, offset, size);
    paint_scope scope(d.frame.get());
    cairo_t* cr = scope.cr;
    if (g.radius > 0) {
        for (std::size_t i = 0; i < g.corners.size(); ++i) {
            const shadow_corner& corner = g.corners[i];
            fill_radial(cr, corner.area, corner.centre, g.radius);
            const shadow_band& band = g.bands[i];
            fill_linear(cr, band.area, band.opaque_end, band.clear_end);
        }
    }
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_rectangle(cr, g.core.left, g.core.top, g.core.right - g.core.left, g.core.bottom - g.core.top);
    cairo_fill(cr);
}

void native_drawer::draw_image(vec2i destination, native_bitmap& bitmap, rect_i source_dips)
{
    auto& d = *impl_;
    const auto& b = loaded_pixels(bitmap);
    draw_op& op = record(d, op_kind::draw_image);
    op.source = source_dips;
    op.destination = {destination, source_dips.size};
    op.bitmap = &bitmap;
    op.bitmap_pixels = bitmap.pixel_size();
    op.bitmap_scale = bitmap.scale();
    if (!d.frame)
        return;
    paint_scope scope(d.frame.get());
    const double s = bitmap.scale();
    paint_bitmap(scope.cr, b.pixels.get(), source_dips.position.x * s, source_dips.position.y * s, source_dips.size.x * s,
                 source_dips.size.y * s, op.destination);
}

void native_drawer::draw_image_fit(rect_i rect, native_bitmap& bitmap)
{
    auto& d = *impl_;
    const auto& b = loaded_pixels(bitmap);
    const rect_i destination = fit_image(rect, bitmap.dip_size());
    draw_op& op = record(d, op_kind::draw_image_fit);
    op.rect = rect;
    op.destination = destination;
    op.bitmap = &bitmap;
    op.bitmap_pixels = bitmap.pixel_size();
    op.bitmap_scale = bitmap.scale();
    if (!d.frame)
        return;
    paint_scope scope(d.frame.get());
    paint_bitmap(scope.cr, b.pixels.get(), 0, 0, bitmap.pixel_size().x, bitmap.pixel_size().y, destination);
}

void native_drawer::draw_text(rect_i rect, const std::string& text_utf8)
{
    auto& d = *impl_;
    draw_op& op = record(d, op_kind::draw_text);
    op.rect = rect;
    op.text = text_utf8;
    if (!d.frame)
        return;

    paint_scope scope(d.frame.get());
    cairo_t* cr = scope.cr;
    pango_cairo_update_context(cr, d.draw_text_context.get());
    const auto layout = make_text_layout(d.draw_text_context.get(), d.state, text_utf8, rect.size.x);
    // The box's height only places the text vertically; text that overflows it is not cut.
    const double text_height = measure_layout(layout.get()).height;
    double top = rect.position.y;
    if (d.state.text_v == v_align_center)
        top += (rect.size.y - text_height) / 2;
    else if (d.state.text_v == v_align_bottom)
        top += rect.size.y - text_height;

    set_source(cr, d.state.text_color);
    cairo_move_to(cr, rect.position.x, top);
    pango_cairo_show_layout(cr, layout.get());
}

vec2i native_drawer::measure_text(const std::string& text_utf8, vec2i limit)
{
    auto& d = *impl_;
    // Pango, like DirectWrite, wraps at the width only: text taller than a height limit overflows it
    // and is measured whole.
    const auto layout = make_text_layout(d.measure_context.get(), d.state, text_utf8, text_limit(limit).width);
    const text_extent extent = measure_layout(layout.get());
    return {static_cast<int>(extent.width + 1.0), static_cast<int>(extent.height + 1.0)};
}

void native_drawer::resize(vec2i pixel_size)
{
    auto& d = *impl_;
    if (d.frame) {
        d.pending_size = pixel_size;
        return;
    }
    const int old_w = cairo_image_surface_get_width(d.image.get());
    const int old_h = cairo_image_surface_get_height(d.image.get());
    if (old_w == pixel_size.x && old_h == pixel_size.y)
        return;
    // Keep what was painted where it still fits; the window repaints everything after a resize anyway.
    surface_ptr resized = make_image(pixel_size);
    const context_ptr copy(cairo_create(resized.get()));
    cairo_set_source_surface(copy.get(), d.image.get(), 0, 0);
    cairo_paint(copy.get());
    d.image = std::move(resized);
}

} // namespace lcsdk::ui
