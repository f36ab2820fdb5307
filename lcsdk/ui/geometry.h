#pragma once

#include <cstdint>

namespace lcsdk::ui {

template <typename T>
struct _vec2 {
    T x{};
    T y{};

    friend constexpr bool operator==(const _vec2&, const _vec2&) = default;
    constexpr _vec2 operator+(const _vec2& o) const { return {x + o.x, y + o.y}; }
    constexpr _vec2 operator-(const _vec2& o) const { return {x - o.x, y - o.y}; }
};

using vec2i = _vec2<int>;

// Position then size, in DIPs.
struct rect_i {
    vec2i position;
    vec2i size;

    friend constexpr bool operator==(const rect_i&, const rect_i&) = default;
    constexpr int left() const { return position.x; }
    constexpr int top() const { return position.y; }
    constexpr int right() const { return position.x + size.x; }
    constexpr int bottom() const { return position.y + size.y; }
};

// Edge form, used for dirty rectangles of the paint pass.
struct rect_ltrb {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend constexpr bool operator==(const rect_ltrb&, const rect_ltrb&) = default;
};

struct color4f {
    float r = 0, g = 0, b = 0, a = 0;

    friend constexpr bool operator==(const color4f&, const color4f&) = default;
};

enum font_style : int { font_style_normal = 0, font_style_italic = 1 };
enum font_weight : int { font_weight_normal = 0, font_weight_light = 1, font_weight_bold = 2 };
enum h_align : int { h_align_left = 0, h_align_center = 1, h_align_right = 2 };
enum v_align : int { v_align_center = 0, v_align_top = 1, v_align_bottom = 2 };

// A _vec2<int> travels in a 64-bit event parameter with x in the low and y in the high 32 bits.
constexpr std::uint64_t pack_vec2(vec2i v)
{
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(v.x)) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(v.y)) << 32);
}

constexpr vec2i unpack_vec2(std::uint64_t param)
{
    return {static_cast<int>(static_cast<std::uint32_t>(param & 0xffffffffu)),
            static_cast<int>(static_cast<std::uint32_t>(param >> 32))};
}

} // namespace lcsdk::ui
