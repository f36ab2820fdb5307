#include "lcsdk/ui/native_drawer.h"

#include "lcsdk/ui/cocoa/cocoa_text.h"
#include "lcsdk/ui/cocoa/native_bitmap_impl.h"
#include "lcsdk/ui/cocoa/native_drawer_impl.h"
#include "lcsdk/ui/drawing_geometry.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/widget.h"

#include <bit>
#include <cassert>

namespace lcsdk::ui {

namespace {

using cocoa::ns_string;

constexpr auto source_over = static_cast<NSCompositingOperation>(2);
constexpr auto source_atop = static_cast<NSCompositingOperation>(5);
// Line-fragment origin (1) and no screen-font substitution (4); drawing also truncates the last
// visible line (32).
constexpr unsigned measure_options = 5;
constexpr unsigned draw_options = 37;

// macOS declares the string-drawing options as an integer bit set; GNUstep as an enumeration without
// the truncation bit (it does not truncate), so the bits are converted at the call.
NSStringDrawingOptions string_drawing_options(unsigned bits) { return static_cast<NSStringDrawingOptions>(bits); }

// The font manager's weights: 5 is regular, 8 bold, 2 light.
constexpr int regular_weight = 5;
constexpr int bold_weight = 8;
constexpr int light_weight = 2;

NSColor* device_color(color4f c) { return [NSColor colorWithDeviceRed:c.r green:c.g blue:c.b alpha:c.a]; }

NSRect ns_rect(rect_i r) { return NSMakeRect(r.position.x, r.position.y, r.size.x, r.size.y); }

// The installed family named `family` but for case. The toolkit's styles name families in lower case
// ("tahoma"), which Windows matches whatever the case; GNUstep's font manager matches exactly.
NSString* installed_family(NSString* family)
{
    NSArray* families = [[NSFontManager sharedFontManager] availableFontFamilies];
    for (NSUInteger i = 0; i < [families count]; ++i) {
        NSString* name = [families objectAtIndex:i];
        if ([name caseInsensitiveCompare:family] == NSOrderedSame)
            return name;
    }
    return family;
}

// The font manager gives no font for a family it does not have, nor (on GNUstep, which matches the
// weight exactly and weighs bold faces 9) for a weight the family has no face of. The text then
// keeps its family where it can, else takes the user font, with its size, slant and boldness.
cocoa::owned<NSFont> make_font(NSString* family, NSFontTraitMask traits, int weight, float size)
{
    NSFontManager* fonts = [NSFontManager sharedFontManager];
    family = installed_family(family);
    NSFont* font = [fonts fontWithFamily:family traits:traits weight:weight size:size];
    if (font == nil) {
        font = [fonts fontWithFamily:family traits:0 weight:regular_weight size:size];
        if (font == nil)
            font = [NSFont userFontOfSize:size];
        const NSFontTraitMask wanted = traits | (weight >= bold_weight ? NSBoldFontMask : 0);
        if (wanted != 0)
            font = [fonts convertFont:font toHaveTrait:wanted];
    }
    return cocoa::owned<NSFont>::retained(font);
}

NSFont* font_for(native_drawer::impl& d, const std::string& family_utf8, NSFontTraitMask traits, int weight, float size)
{
    auto key = std::make_tuple(family_utf8, static_cast<NSUInteger>(traits), weight, std::bit_cast<std::uint32_t>(size));
    auto found = d.fonts.find(key);
    if (found == d.fonts.end())
        found = d.fonts.emplace(std::move(key), make_font(ns_string(family_utf8), traits, weight, size)).first;
    return found->second.get();
}

cocoa::owned<NSMutableParagraphStyle> paragraph_style(int horizontal_kind)
{
    cocoa::owned<NSMutableParagraphStyle> style([[NSParagraphStyle defaultParagraphStyle] mutableCopy]);
    [style.get() setLineBreakMode:NSLineBreakByWordWrapping];
    [style.get() setAlignment:horizontal_kind == h_align_left    ? NSTextAlignmentLeft
                              : horizontal_kind == h_align_right ? NSTextAlignmentRight
                                                                 : NSTextAlignmentCenter];
    return style;
}

// The height of the text wrapped at `width`: a text of several lines is placed as a whole (the
// height of its first line alone would push the others out of a centred or bottom-aligned box).
CGFloat wrapped_height(NSString* text, int width, NSDictionary* attributes)
{
    return NSHeight([text boundingRectWithSize:NSMakeSize(width, CGFLOAT_MAX)
                                       options:string_drawing_options(measure_options)
                                    attributes:attributes]);
}

NSImageRep* get_image_representation(const native_bitmap& bitmap)
{
    const bool isLoaded = bitmap.is_loaded();
    assert(isLoaded);
    return isLoaded ? bitmap.get_impl().representation : nil;
}

} // namespace

native_drawer::native_drawer(native_window& /*target: drawing goes to the view being drawn*/)
    : impl_(std::make_unique<impl>())
{
    impl_->font = font_for(*impl_, "Tahoma", 0, regular_weight, 11.0f);
}

native_drawer::~native_drawer()
{
    // A paint pass cut short leaves its saved graphics states behind.
    for (auto& d = *impl_; !d.widget_stack.empty(); d.widget_stack.pop_back())
        [NSGraphicsContext restoreGraphicsState];
}

// Neither is implemented on macOS: no widget there casts a shadow, and labels show plain text.
bool native_drawer::draws(drawer_feature /*feature*/) const { return false; }

void native_drawer::set_fill_color(color4f color) { impl_->fill_color = color; }

void native_drawer::set_line_color(color4f color, float width)
{
    impl_->line_color = color;
    impl_->line_width = width;
}

void native_drawer::set_line_style(int style) { impl_->line_style = style; }

void native_drawer::set_text_color(color4f color) { impl_->text_color = color; }

void native_drawer::set_font(const std::string& family_utf8, float size, int weight_kind, int style_kind)
{
    const NSFontTraitMask traits = style_kind == font_style_italic ? NSItalicFontMask : 0;
    const int weight = weight_kind == font_weight_normal ? regular_weight
                             : weight_kind == font_weight_bold ? bold_weight
                                                               : light_weight;
    impl_->font = font_for(*impl_, family_utf8, traits, weight, size);
}

void native_drawer::set_text_alignment(int horizontal_kind, int vertical_kind)
{
    impl_->horizontal_alignment = horizontal_kind;
    impl_->vertical_alignment = vertical_kind;
}

void native_drawer::begin_widget(const widget& target, rect_ltrb /*paint_rect: Cocoa clips to the dirty area itself*/)
{
    impl_->widget_stack.push_back(&target);
    [NSGraphicsContext saveGraphicsState];
    NSAffineTransform* shift = [NSAffineTransform transform];
    [shift translateXBy:target.position.x yBy:target.position.y];
    [shift concat];
    NSRectClip(NSMakeRect(0, 0, target.size.x, target.size.y));
}

void native_drawer::end_widget()
{
    auto& d = *impl_;
    if (d.widget_stack.empty())
        return;
    [NSGraphicsContext restoreGraphicsState];
    d.widget_stack.pop_back();
}

void native_drawer::fill_rect(rect_i rect)
{
    [device_color(impl_->fill_color) setFill];
    NSRectFillUsingOperation(ns_rect(rect), source_atop);
}

void native_drawer::draw_rect(rect_i rect)
{
    // The frame lies inside the rectangle; the line style does not apply.
    [NSGraphicsContext saveGraphicsState];
    [device_color(impl_->line_color) setFill];
    NSFrameRectWithWidthUsingOperation(ns_rect(rect), impl_->line_width, source_atop);
    [NSGraphicsContext restoreGraphicsState];
}

void native_drawer::draw_line(vec2i from, vec2i to)
{
    auto& d = *impl_;
    NSBezierPath* path = [NSBezierPath bezierPath];
    [path setLineWidth:d.line_width];
    const CGFloat dashes[2] = {1.0, d.line_style == 1 ? 1.0 : 0.0};
    [path setLineDash:dashes count:2 phase:0];
    [path moveToPoint:NSMakePoint(from.x, from.y)];
    [path lineToPoint:NSMakePoint(to.x, to.y)];
    [device_color(d.line_color) set];
    [path stroke];
}

void native_drawer::draw_shadow(rect_i /*rect*/, vec2i /*offset*/, unsigned /*size*/)
{
    assert(false && "Not implemented.");
}

void native_drawer::draw_image(vec2i destination, native_bitmap& bitmap, rect_i source_dips)
{
    NSImageRep* imageRep = get_image_representation(bitmap);
    assert(imageRep);
    if (!imageRep)
        return;
    const CGFloat scale = bitmap.scale();
    // Image coordinates grow upward: the source rectangle is flipped against the image's height.
    const NSRect source = NSMakeRect(source_dips.position.x * scale,
                                     bitmap.get_impl().height - (source_dips.position.y + source_dips.size.y) * scale,
                                     source_dips.size.x * scale, source_dips.size.y * scale);
    [imageRep drawInRect:ns_rect({destination, source_dips.size})
                fromRect:source
               operation:source_over
                fraction:1.0
          respectFlipped:YES
                   hints:nil];
}

void native_drawer::draw_image_fit(rect_i rect, native_bitmap& bitmap)
{
    if (!bitmap.is_loaded())
        return;
    NSImageRep* imageRep = get_image_representation(bitmap);
    assert(imageRep);
    if (!imageRep)
        return;
    // The image's size in points, not divided by its scale.
    const native_bitmap::impl& b = bitmap.get_impl();
    const rect_i fitted = fit_image(rect, {b.width, b.height});
    if (fitted.size.x <= 0 || fitted.size.y <= 0)
        return;
    [imageRep drawInRect:ns_rect(fitted) fromRect:NSZeroRect operation:source_over fraction:1.0 respectFlipped:YES hints:nil];
}

void native_drawer::draw_text(rect_i rect, const std::string& text_utf8)
{
    const auto& d = *impl_;
    NSString* text = ns_string(text_utf8);
    const auto style = paragraph_style(d.horizontal_alignment);
    NSDictionary* attributes = [NSDictionary dictionaryWithObjectsAndKeys:style.get(), NSParagraphStyleAttributeName,
                                                                         device_color(d.text_color),
                                                                         NSForegroundColorAttributeName, d.font,
                                                                         NSFontAttributeName, nil];
    CGFloat y = rect.position.y;
    CGFloat box_height = rect.size.y;
    if (d.vertical_alignment == v_align_center) {
        const CGFloat text_height = wrapped_height(text, rect.size.x, attributes);
        y = rect.position.y - 2 + (rect.size.y - text_height) * 0.5;
        box_height = rect.size.y + 2;
    } else if (d.vertical_alignment == v_align_bottom) {
        const CGFloat text_height = wrapped_height(text, rect.size.x, attributes);
        y = rect.size.y - text_height + rect.position.y + 2;
    }
    [text drawWithRect:NSMakeRect(rect.position.x + 1, y, rect.size.x, box_height) options:string_drawing_options(draw_options) attributes:attributes];
}

vec2i native_drawer::measure_text(const std::string& text_utf8, vec2i limit)
{
    const auto& d = *impl_;
    const auto style = paragraph_style(d.horizontal_alignment);
    NSDictionary* attributes = [NSDictionary dictionaryWithObjectsAndKeys:style.get(), NSParagraphStyleAttributeName,
                                                                         d.font, NSFontAttributeName, nil];
    const auto box = text_limit(limit);
    const auto points = [](std::optional<int> extent) { return extent ? static_cast<CGFloat>(*extent) : CGFLOAT_MAX; };
    const NSRect bounds = [ns_string(text_utf8) boundingRectWithSize:NSMakeSize(points(box.width), points(box.height))
                                                             options:string_drawing_options(measure_options)
                                                          attributes:attributes];
    return {static_cast<int>(NSWidth(bounds) + 1), static_cast<int>(NSHeight(bounds))};
}

void native_drawer::draw_html(markup_layout& /*layout*/, vec2i /*position*/)
{
    assert(false && "Not implemented.");
}

// Cocoa sizes the view's backing store itself.
void native_drawer::resize(vec2i /*pixel_size*/) {}

} // namespace lcsdk::ui
