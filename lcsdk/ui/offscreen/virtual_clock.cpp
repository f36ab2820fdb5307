#include "lcsdk/ui/offscreen/platform_state.h"

#include <algorithm>
#include <tuple>

namespace lcsdk::ui::offscreen::detail {

namespace {

struct due_timer {
    native_window::impl* owner = nullptr;
    std::uint32_t key = 0;
    timer_schedule schedule;
};

std::optional<due_timer> earliest_timer()
{
    std::optional<due_timer> best;
    for (native_window* w : state().windows) {
        auto& d = w->get_impl();
        for (const auto& [key, schedule] : d.schedules) {
            if (!best || std::tie(schedule.due_ms, schedule.order) < std::tie(best->schedule.due_ms, best->schedule.order))
                best = due_timer{&d, key, schedule};
        }
    }
    return best;
}

} // namespace

void schedule_timer(native_window::impl& owner, std::uint32_t key, std::uint32_t interval_ms)
{
    auto& st = state();
    owner.schedules[key] = timer_schedule{interval_ms, st.now + interval_ms, st.next_timer_order++};
}

std::optional<std::uint64_t> next_due_time()
{
    if (const auto next = earliest_timer())
        return next->schedule.due_ms;
    return std::nullopt;
}

bool fire_next_timer(std::uint64_t limit)
{
    auto& st = state();
    const auto next = earliest_timer();
    if (!next || next->schedule.due_ms > limit)
        return false;

    st.now = std::max(st.now, next->schedule.due_ms);
    const std::uint32_t key = next->key;
    // Reschedule first: the handler may remove the timer, add others or destroy the window.
    auto& schedule = next->owner->schedules.at(key);
    schedule.due_ms += schedule.interval_ms;
    schedule.order = st.next_timer_order++;

    next->owner->timers.tick(key, *next->owner->self);
    return true;
}

bool innermost_loop_ended()
{
    const auto& st = state();
    if (st.modal_stack.empty())
        return false;
    const native_window::impl* looping = find_window(st.modal_stack.back());
    return !looping || !looping->modal_running;
}

void advance_until(std::uint64_t target, bool interruptible)
{
    auto& st = state();
    while (fire_next_timer(target)) {
        if (interruptible && innermost_loop_ended()) {
            // Time that remains is the outer loop's to spend, at the head of the queue.
            if (st.now < target)
            {
                input_item rest = make_input(input_kind::advance_to);
                rest.ms = target;
                st.queue.push_front(std::move(rest));
            }
            return;
        }
    }
    st.now = std::max(st.now, target);
}

} // namespace lcsdk::ui::offscreen::detail
