#include "example_window.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/window.h"

#include <chrono>

namespace examples {

namespace ui = lcsdk::ui;

void end_on_escape(ui::window& target)
{
    constexpr std::uint64_t escape_key = 0x1B;
    ui::add_handler(&target, &target, ui::key_down, [&target](const ui::event_info& e) {
        if (e.param == escape_key)
            target.end_modal(escape_result);
    });
}

std::uint64_t steady_milliseconds()
{
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

} // namespace examples
