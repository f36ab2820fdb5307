// The offscreen modal loop: queued input first, then painting, then the virtual clock; a loop
// that can make no progress throws instead of hanging.
#include "lcsdk/ui/offscreen/platform_state.h"

#include <chrono>
#include <string>
#include <thread>

namespace lcsdk::ui::offscreen::detail {

namespace {

// Paint passes in a row without any other progress before a loop gives up: a widget that
// invalidates itself outside its own paint rectangle on every paint would spin forever.
constexpr int paint_storm_limit = 1000;

std::string describe(const native_window::impl& d) { return "\"" + d.title + "\""; }

} // namespace

void run_modal_loop(native_window& looping)
{
    auto& st = state();
    const std::uint64_t serial = looping.get_impl().serial;
    st.modal_stack.push_back(serial);
    struct loop_scope {
        std::uint64_t serial;
        ~loop_scope()
        {
            auto& stack = state().modal_stack;
            if (!stack.empty())
                stack.pop_back();
            // An exception leaves no loop marked as running.
            if (native_window::impl* d = find_window(serial))
                d->modal_running = false;
        }
    } scope{serial};

    std::uint64_t idle_spent = 0;
    std::uint64_t items_processed = 0;
    int paints_in_a_row = 0;
    for (;;) {
        native_window::impl* d = find_window(serial);
        if (!d || !d->modal_running)
            return;

        if (!st.queue.empty()) {
            if (++items_processed > runaway_item_limit)
                throw modal_loop_starved("offscreen modal loop of window " + describe(*d) + " processed " +
                                         std::to_string(runaway_item_limit) +
                                         " queued items without ending: something keeps posting input");
            input_item item = std::move(st.queue.front());
            st.queue.pop_front();
            process(std::move(item), true);
            paints_in_a_row = 0;
            continue;
        }

        if (paint_visible_windows()) {
            if (++paints_in_a_row > paint_storm_limit)
                throw modal_loop_starved("offscreen modal loop of window " + describe(*d) +
                                         ": painting never settles, every paint pass asks for another");
            continue;
        }
        paints_in_a_row = 0;

        const auto due = next_due_time();
        if (!due)
            throw modal_loop_starved("offscreen modal loop of window " + describe(*d) +
                                     " starved: no input is queued, no timer is pending and nothing ended the loop");
        const std::uint64_t step = *due > st.now ? *due - st.now : 0;
        if (idle_spent + step > st.idle_budget)
            throw modal_loop_starved("offscreen modal loop of window " + describe(*d) + " starved: its timers ran for " +
                                     std::to_string(idle_spent) + " ms of virtual time and nothing ended the loop");
        idle_spent += step;
        // A real worker thread may be what the timers are waiting for: give it a moment.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        fire_next_timer(*due);
    }
}

} // namespace lcsdk::ui::offscreen::detail
