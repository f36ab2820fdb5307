#pragma once

#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/non_copyable_non_moveable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace lcsdk::ui {

class event_object;

// A PNG strip compiled into the program: frames are stacked vertically.
struct image_ref {
    const unsigned char* data = nullptr;
    std::uint64_t size = 0;
    std::int32_t frames = 1;
    float scale = 1.0f;
};
static_assert(sizeof(image_ref) == 24);

// Colours live in `color`; every other kind keeps its bytes in `raw`. The kind is implied by the key.
struct style_value {
    std::string raw;
    alignas(16) color4f color;
};

// djb2 over the key's bytes taken as signed chars, in 32-bit unsigned arithmetic.
struct djb2_hash {
    std::size_t operator()(std::string_view key) const noexcept;
};

// Keys are views: the characters (string literals in practice) must outlive every table that holds them.
using style_map = std::unordered_map<std::string_view, style_value, djb2_hash>;
using alias_map = std::unordered_map<std::string_view, std::string_view, djb2_hash>;

style_map make_style_map();

// The per-widget style table: own overrides and key renamings.
struct style_table : non_copyable_non_moveable {
    explicit style_table(event_object* owner_object = nullptr);

    style_map values;
    const style_table* source = this;
    alias_map aliases;
    event_object* owner = nullptr;
};

style_value get_theme_style(const style_table& table, std::string_view key);

color4f get_color(const style_table& table, std::string_view key);
float get_float(const style_table& table, std::string_view key);
std::int32_t get_int(const style_table& table, std::string_view key);
bool get_bool(const style_table& table, std::string_view key);
std::string get_string(const style_table& table, std::string_view key);
image_ref get_image(const style_table& table, std::string_view key);

// Both raise event 32 on the table's owner with the key's (NUL-terminated) characters as parameter.
void set_style(style_table& table, const char* key, color4f color);
void set_alias(style_table& table, const char* key, const char* target);

void set_global_styles(const style_map& styles);
const style_map& global_styles();
const style_map& default_styles();

// Builders for style values of each kind.
style_value color_style(color4f color);
style_value float_style(float value);
style_value int_style(std::int32_t value);
style_value bool_style(bool value);
style_value string_style(std::string_view value);
style_value image_style(image_ref image);

} // namespace lcsdk::ui
