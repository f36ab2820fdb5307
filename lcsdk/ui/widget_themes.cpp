#include "lcsdk/ui/widget_themes.h"

#include "lcsdk/ui/event_bus.h"

#include <cassert>
#include <cstring>

namespace lcsdk::ui {

namespace {

style_map& global_table()
{
    static style_map table = make_style_map();
    return table;
}

// Copies the first sizeof(T) bytes of a payload; a payload too short for the kind reads as zero.
template <typename T>
T read_payload(const std::string& raw)
{
    T value{};
    if (raw.size() >= sizeof(T))
        std::memcpy(&value, raw.data(), sizeof(T));
    return value;
}

template <typename T>
style_value payload_style(const T& value)
{
    style_value result;
    result.raw.resize(sizeof(T));
    std::memcpy(result.raw.data(), &value, sizeof(T));
    return result;
}

void notify_style_changed(const style_table& table, const char* key)
{
    if (table.owner)
        dispatch(table.owner, style_changed, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key)));
}

} // namespace

std::size_t djb2_hash::operator()(std::string_view key) const noexcept
{
    std::uint32_t h = 5381;
    // Bytes count as signed chars, so bytes of 0x80 and above lower the sum; keys hash alike on every platform.
    for (const char c : key)
        h = h * 33u + static_cast<std::uint32_t>(static_cast<signed char>(c));
    return h;
}

style_map make_style_map()
{
    style_map map;
    map.max_load_factor(1.0f);
    return map;
}

style_table::style_table(event_object* owner_object)
    : values(make_style_map()), owner(owner_object)
{
    aliases.max_load_factor(1.0f);
}

style_value get_theme_style(const style_table& table, std::string_view key)
{
    // One renaming step only: a target that is itself aliased is not followed.
    if (const auto alias = table.aliases.find(key); alias != table.aliases.end())
        key = alias->second;

    if (const auto own = table.source->values.find(key); own != table.source->values.end())
        return own->second;
    if (const auto global = global_table().find(key); global != global_table().end())
        return global->second;
    if (const auto fallback = default_styles().find(key); fallback != default_styles().end())
        return fallback->second;

    assert(false && "Style not found");
    return {};
}

color4f get_color(const style_table& table, std::string_view key)
{
    return get_theme_style(table, key).color;
}

float get_float(const style_table& table, std::string_view key)
{
    return read_payload<float>(get_theme_style(table, key).raw);
}

std::int32_t get_int(const style_table& table, std::string_view key)
{
    return read_payload<std::int32_t>(get_theme_style(table, key).raw);
}

bool get_bool(const style_table& table, std::string_view key)
{
    const style_value value = get_theme_style(table, key);
    return !value.raw.empty() && value.raw.front() != 0;
}

std::string get_string(const style_table& table, std::string_view key)
{
    return get_theme_style(table, key).raw;
}

image_ref get_image(const style_table& table, std::string_view key)
{
    const std::string raw = get_theme_style(table, key).raw;
    // Too short to be an image: the null image, which nobody decodes or divides by its frames.
    if (raw.size() < sizeof(image_ref))
        return {};
    image_ref image;
    std::memcpy(&image, raw.data(), sizeof(image_ref));
    return image;
}

void set_style(style_table& table, const char* key, color4f color)
{
    table.values.insert_or_assign(std::string_view(key), color_style(color));
    notify_style_changed(table, key);
}

void set_alias(style_table& table, const char* key, const char* target)
{
    table.aliases.insert_or_assign(std::string_view(key), std::string_view(target));
    notify_style_changed(table, key);
}

void set_global_styles(const style_map& styles)
{
    style_map& table = global_table();
    table = styles;
    table.max_load_factor(1.0f);
}

const style_map& global_styles()
{
    return global_table();
}

style_value color_style(color4f color)
{
    style_value result;
    result.color = color;
    return result;
}

style_value float_style(float value)
{
    return payload_style(value);
}

style_value int_style(std::int32_t value)
{
    return payload_style(value);
}

style_value bool_style(bool value)
{
    style_value result;
    result.raw.assign(1, value ? char{1} : char{0});
    return result;
}

style_value string_style(std::string_view value)
{
    style_value result;
    result.raw.assign(value);
    return result;
}

style_value image_style(image_ref image)
{
    return payload_style(image);
}

} // namespace lcsdk::ui
