#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

namespace lcsdk::ui {

class native_window;
class widget;

struct timer_event {
    std::int32_t id_value = 0;
    widget* target = nullptr;
    bool one_shot = false;
};

// The per-window timer table that every platform keeps the same way: map keys are
// pre-incremented from 0, and one widget holds at most one timer per id value.
class timer_table {
public:
    timer_table() = default;
    timer_table(const timer_table&) = delete;
    timer_table& operator=(const timer_table&) = delete;

    // The new map key, or nothing when the widget already has a timer with that id value.
    std::optional<std::uint32_t> add(widget* target, std::int32_t id_value, bool one_shot);
    // The map key of the removed entry, or nothing when none matched.
    std::optional<std::uint32_t> remove(widget* target, std::int32_t id_value);
    std::optional<timer_event> find(std::uint32_t key) const;

    // One tick of the platform timer under `key`: event 15 to the entry's widget with its id value,
    // then a one-shot entry is removed through the window's remove_timer, which stops the platform
    // timer too. Unknown keys (a tick queued before its timer was removed) do nothing. The handler
    // may remove the timer, start others or destroy the window: nothing is removed twice, and
    // nothing is touched after the window is gone.
    void tick(std::uint32_t key, native_window& owner);

    const std::unordered_map<std::uint32_t, timer_event>& entries() const { return timers_; }
    std::size_t size() const { return timers_.size(); }

private:
    // Shared with every tick in progress, which learns from it whether the window (and this table
    // with it) was destroyed by the handler.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
    std::uint32_t last_id_ = 0;
    std::unordered_map<std::uint32_t, timer_event> timers_;
};

} // namespace lcsdk::ui
