#pragma once

// Owning handles for the C objects of Cairo, Pango and GLib.

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace lcsdk::ui::offscreen::detail {

template <auto release>
struct release_with {
    template <typename T>
    void operator()(T* handle) const noexcept
    {
        if (handle)
            release(handle);
    }
};

using surface_ptr = std::unique_ptr<cairo_surface_t, release_with<&cairo_surface_destroy>>;
using context_ptr = std::unique_ptr<cairo_t, release_with<&cairo_destroy>>;
using pattern_ptr = std::unique_ptr<cairo_pattern_t, release_with<&cairo_pattern_destroy>>;
using font_options_ptr = std::unique_ptr<cairo_font_options_t, release_with<&cairo_font_options_destroy>>;
using font_description_ptr = std::unique_ptr<PangoFontDescription, release_with<&pango_font_description_free>>;
using glib_string_ptr = std::unique_ptr<gchar, release_with<&g_free>>;

template <typename T>
using gobject_ptr = std::unique_ptr<T, release_with<&g_object_unref>>;

} // namespace lcsdk::ui::offscreen::detail
