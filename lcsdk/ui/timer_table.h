#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace lcsdk::ui {

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
    // The new map key, or nothing when the widget already has a timer with that id value.
    std::optional<std::uint32_t> add(widget* target, std::int32_t id_value, bool one_shot);
    // The map key of the removed entry, or nothing when none matched.
    std::optional<std::uint32_t> remove(widget* target, std::int32_t id_value);
    std::optional<timer_event> find(std::uint32_t key) const;

    // Raises event 15 for a tick of `key`; unknown keys are ignored. Returns the entry that fired.
    std::optional<timer_event> fire(std::uint32_t key) const;

    const std::unordered_map<std::uint32_t, timer_event>& entries() const { return timers_; }
    std::size_t size() const { return timers_.size(); }

private:
    std::uint32_t last_id_ = 0;
    std::unordered_map<std::uint32_t, timer_event> timers_;
};

} // namespace lcsdk::ui
