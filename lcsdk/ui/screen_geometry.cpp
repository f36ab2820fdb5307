#include "lcsdk/ui/screen_geometry.h"

#include <cstdlib>

namespace lcsdk::ui {

int mul_div(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long magnitude = (std::llabs(product) + std::llabs(static_cast<long long>(c)) / 2) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(((product < 0) != (c < 0)) ? -magnitude : magnitude);
}

int dips_to_pixels(int dips, int dpi) { return mul_div(dips, dpi, 96); }
int pixels_to_dips(int pixels, int dpi) { return mul_div(pixels, 96, dpi); }

namespace {

int floor_div(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return static_cast<int>(q);
}

int ceil_div(long long a, long long b) { return -floor_div(-a, b); }

} // namespace

rect_ltrb dirty_pixels_to_dips(rect_ltrb pixels, int dpi_x, int dpi_y)
{
    if (dpi_x <= 0 || dpi_y <= 0)
        return pixels;
    return {floor_div(pixels.left * 96LL, dpi_x), floor_div(pixels.top * 96LL, dpi_y),
            ceil_div(pixels.right * 96LL, dpi_x), ceil_div(pixels.bottom * 96LL, dpi_y)};
}

vec2i centred_position(rect_ltrb reference, rect_ltrb work_area, vec2i client_size, vec2i outer_bottom_right)
{
    int x = reference.left + (reference.right - client_size.x - reference.left) / 2;
    int y = reference.top + (reference.bottom - client_size.y - reference.top) / 2;
    if (x + outer_bottom_right.x > work_area.right)
        x = work_area.right - outer_bottom_right.x;
    if (y + outer_bottom_right.y > work_area.bottom)
        y = work_area.bottom - outer_bottom_right.y;
    if (x < work_area.left)
        x = work_area.left + 1;
    if (y < work_area.top)
        y = work_area.top + 1;
    return {x, y};
}

} // namespace lcsdk::ui
