#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>

namespace lcsdk::ui {
class window;
}

// What the example programs share besides their log: colour helpers and the Escape key.
namespace examples {

constexpr lcsdk::ui::color4f rgb(float r, float g, float b) { return {r / 255.0f, g / 255.0f, b / 255.0f, 1.0f}; }

// The toolkit's built-in default back colour; a test that sees it knows a widget has no colour
// of its own.
constexpr lcsdk::ui::color4f marker_color = rgb(255, 0, 255);

// The modal result of a window ended with Escape.
constexpr int escape_result = 2;

// Ends the window's modal loop with `escape_result` when Escape is pressed in it.
void end_on_escape(lcsdk::ui::window& target);

// Milliseconds of a steady clock, for logging when timers fire.
std::uint64_t steady_milliseconds();

} // namespace examples
