#include "lcsdk/ui/timer_table.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/widget.h"

#include <algorithm>

namespace lcsdk::ui {

std::optional<std::uint32_t> timer_table::add(widget* target, std::int32_t id_value, bool one_shot)
{
    const bool taken = std::any_of(timers_.begin(), timers_.end(), [&](const auto& entry) {
        return entry.second.target == target && entry.second.id_value == id_value;
    });
    if (taken)
        return std::nullopt;
    const std::uint32_t key = ++last_id_;
    timers_.emplace(key, timer_event{id_value, target, one_shot});
    return key;
}

std::optional<std::uint32_t> timer_table::remove(widget* target, std::int32_t id_value)
{
    const auto found = std::find_if(timers_.begin(), timers_.end(), [&](const auto& entry) {
        return entry.second.target == target && entry.second.id_value == id_value;
    });
    if (found == timers_.end())
        return std::nullopt;
    const std::uint32_t key = found->first;
    timers_.erase(found);
    return key;
}

std::optional<timer_event> timer_table::find(std::uint32_t key) const
{
    const auto found = timers_.find(key);
    if (found == timers_.end())
        return std::nullopt;
    return found->second;
}

void timer_table::tick(std::uint32_t key, native_window& owner)
{
    const auto entry = find(key);
    if (!entry)
        return;
    const std::weak_ptr<int> alive = lifetime_;
    dispatch(entry->target, timer_tick, static_cast<std::uint64_t>(static_cast<std::uint32_t>(entry->id_value)));
    // Fire, then remove a one-shot entry, unless the handler removed it itself (a timer it started
    // again meanwhile has a new key) or destroyed the window.
    if (entry->one_shot && !alive.expired() && find(key))
        owner.remove_timer(entry->target, entry->id_value);
}

} // namespace lcsdk::ui
